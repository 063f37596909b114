#include "look.h"

namespace rurozovizera::ui {

namespace {

struct Substitute {
    const char* family;
    const char* replacement;
    int stretch; // percent of the replacement's normal width
};

// Roman and Modern are stroke fonts, narrower than an outline font of the
// same size; their stand-ins are condensed so that captions stay within the
// boxes they were laid out for.
constexpr Substitute kSubstitutes[] = {
    {"Comic Sans MS", "Comic Neue", 100}, {"MS Sans Serif", "Liberation Sans", 100},
    {"Arial", "Liberation Sans", 100},    {"Roman", "Liberation Serif", 90},
    {"Modern", "Liberation Sans", 80},
};

} // namespace

QFont FontSpec::toFont() const {
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    for (const Substitute& substitute : kSubstitutes)
        if (qstrcmp(substitute.family, family) == 0 && substitute.stretch != 100)
            font.setStretch(substitute.stretch);
    return font;
}

void installFontSubstitutes() {
    for (const Substitute& substitute : kSubstitutes)
        QFont::insertSubstitution(QString::fromLatin1(substitute.family),
                                  QString::fromLatin1(substitute.replacement));
}

} // namespace rurozovizera::ui
