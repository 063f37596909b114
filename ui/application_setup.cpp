#include "application_setup.h"

#include "application_icon.h"
#include "look.h"
#include "rurozovizera/version.h"

#include <QApplication>

namespace rurozovizera::ui {

void configureApplication() {
    QApplication::setApplicationName(QStringLiteral("RuRozovizera"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(version::applicationId));
    QApplication::setFont(kDefaultFont.toFont());
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace rurozovizera::ui
