#include "application_icon.h"

namespace rurozovizera::ui {

QIcon applicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/pictures/icon-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon-64.png"), QSize(64, 64));
    return icon;
}

} // namespace rurozovizera::ui
