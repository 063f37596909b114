#include "application_setup.h"

#include "application_icon.h"
#include "look.h"
#include "rurozovizera/version.h"

#include <QApplication>
#include <QStyle>

namespace rurozovizera::ui {

void configureApplication() {
    QApplication::setApplicationName(QStringLiteral("RuRozovizera"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(version::applicationId));
    QApplication::setFont(kDefaultFont.toFont());
    QApplication::setWindowIcon(applicationIcon());
    // The windows are a fixed design: pale-cyan keys and displays, navy
    // grounds, colours stored with the layouts. Their texts that the layouts
    // leave to the toolkit are the light desktop's black, and the menu bar
    // and the message boxes match the windows, so the whole program takes
    // the style's own light palette whatever the desktop's is. Every colour
    // role is set, so a dark palette the desktop gives later leaves it be.
    // A selection is white on navy, as on the desktop the layouts were made
    // for: the style's lighter blue leaves white text too faint to read.
    QPalette light = QApplication::style()->standardPalette();
    light.setColor(QPalette::Highlight, fromBgr(kNavy));
    light.setColor(QPalette::HighlightedText, fromBgr(kWhite));
    QApplication::setPalette(light);
}

} // namespace rurozovizera::ui
