#include "application_icon.h"

#include "ready_picture.h"

#include <utility>

namespace rurozovizera::ui {

QIcon applicationIcon() {
    QIcon icon;
    for (const int side : {16, 32, 64}) {
        const QString file = QStringLiteral(":/pictures/icon-%1.png").arg(side);
        QImage ready = readyPicture(file, QSize(side, side));
        if (!ready.isNull())
            icon.addPixmap(QPixmap::fromImage(std::move(ready)));
        else
            icon.addFile(file, QSize(side, side));
    }
    return icon;
}

} // namespace rurozovizera::ui
