#include "look.h"

#ifdef _WIN32
#include "windows_fonts.h"
#endif

#include <algorithm>
#include <iterator>

namespace rurozovizera::ui {

namespace {

// One size of a named font whose regular weight the look-alike draws too
// small and too thin, and the size it is drawn at instead, in bold.
struct Heavier {
    double points = 0; // regular, as the layouts name it; 0 for none
    double drawnPoints = 0;
};

struct StandIn {
    const char* family;  // as the layouts name it
    const char* standIn; // the distribution's look-alike
    int stretch;         // percent of the look-alike's normal width
    Heavier heavier{};
};

// Roman and Modern are stroke fonts, narrower than an outline font of the
// same size; their stand-ins are condensed so that captions stay within the
// boxes they were laid out for.
//
// Comic Neue draws the signs of arithmetic much smaller and thinner than
// Comic Sans MS: at 12 pt regular, the operator keys' lettering, its "+" is
// 5 pixels of hairline and its "-" a faint line, where Comic Sans MS gives
// strokes at least 7 pixels across at 96 dots per inch, as dark as the bold
// digits beside them. A third larger and in bold, its signs match those.
constexpr StandIn kStandIns[] = {
    {"Comic Sans MS", "Comic Neue", 100, {12, 16}},
    {"MS Sans Serif", "Liberation Sans", 100},
    {"Arial", "Liberation Sans", 100},
    {"Roman", "Liberation Serif", 90},
    {"Modern", "Liberation Sans", 80},
};

} // namespace

QFont FontSpec::toFont() const {
    // The stand-in is asked for by its own name: asking for the missing
    // font and letting it be substituted costs a search of the installed
    // fonts for each name, which the windows would pay at every start.
    const auto* standIn =
        std::find_if(std::begin(kStandIns), std::end(kStandIns),
                     [this](const StandIn& s) { return qstrcmp(s.family, family) == 0; });
    bool known = standIn != std::end(kStandIns);
    const char* name = known ? standIn->standIn : family;
#ifdef _WIN32
    // Windows has the layouts' own fonts; a look-alike stands in only for
    // one that is missing, from the files shipped beside the program.
    if (known) {
        if (const char* own = windowsFamily(family)) {
            name = own;
            known = false;
        } else {
            loadShippedStandIns();
        }
    }
#endif
    QFont font(QString::fromLatin1(name));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    if (known && standIn->stretch != 100)
        font.setStretch(standIn->stretch);
    if (known && !bold && points == standIn->heavier.points) {
        font.setPointSizeF(standIn->heavier.drawnPoints);
        font.setBold(true);
    }
    // Every caption is plain Latin text, which needs no shaping.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace rurozovizera::ui
