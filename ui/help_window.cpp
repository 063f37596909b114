#include "help_window.h"

#include "label.h"
#include "window_setup.h"

#include <QPainter>

namespace rurozovizera::ui {

namespace {

constexpr WindowSpec kWindow{"FrmExp1", "Help-Example", {9480, 3180, 4230, 3390}};

// The red outline that frames the four explanatory labels.
constexpr TwipsRect kShape1{120, 720, 4035, 2415};

constexpr FontSpec kBold{"MS Sans Serif", 8.25, true};

constexpr LabelSpec note(const char* name, const char* caption, TwipsRect box,
                         FontSpec font = kBold) {
    return {name, caption, box, font, kWhite, std::nullopt};
}

// clang-format off
const LabelSpec kLabels[] = {
    {"LblHalloween", "Welcome To Winter!!", {600, 120, 3255, 615}, {"Modern", 20.25, true}, kRed, kDarkNavy},
    note("Label2", "Note: This will be made easier in the next version. V1.3 When available",
         {240, 2640, 3855, 615}, {"MS Sans Serif", 9.75, false, true}),
    note("Label1", "To carry this out you must  first do: 5+7 = Followed by +3 = +4 =.",
         {240, 1200, 3855, 615}),
    note("LblExp1_Carry",
         "The same rules apply for all other function i.e Multiply, subtract, divide etc.",
         {240, 1920, 3855, 615}),
    note("LblExp1Exp", "Situation: To work out 5+7+3+4.", {240, 840, 3735, 255}),
};
// clang-format on

} // namespace

HelpWindow::HelpWindow() {
    setUpWindow(this, kWindow);

    for (const LabelSpec& spec : kLabels)
        createLabel(this, spec);
}

void HelpWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(fromBgr(kRed));
    painter.drawRect(kShape1.toPixels().adjusted(0, 0, -1, -1));
}

} // namespace rurozovizera::ui
