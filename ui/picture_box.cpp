#include "picture_box.h"

#include "ready_picture.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>

#include <utility>

namespace rurozovizera::ui {

PictureBox::PictureBox(QWidget* parent, const char* name, const QString& resource, TwipsRect box)
    : QWidget(parent), resource_(resource) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(box.toPixels());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::prepare() {
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (stretched_.size() != target)
        stretch(target, ratio);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    prepare();
    // Drawn a rectangle of the region to paint at a time: controls in front
    // of the picture make that region ragged, and Qt copies a picture into
    // a ragged region row by row, on helper threads it starts for the first
    // drawing, where into a plain rectangle it copies it at once.
    QPainter painter(this);
    for (const QRect& part : event->region()) {
        painter.setClipRect(part);
        painter.drawPixmap(0, 0, stretched_);
    }
}

void PictureBox::stretch(QSize target, qreal ratio) {
    QString source = resource_;
    if (ratio > 1.0)
        source.insert(source.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    const QString key =
        QStringLiteral("%1 %2x%3").arg(source).arg(target.width()).arg(target.height());
    if (!QPixmapCache::find(key, &stretched_)) {
        QImage ready = readyPicture(source, target);
        stretched_ = !ready.isNull() ? QPixmap::fromImage(std::move(ready))
                                     : QPixmap(source).scaled(target, Qt::IgnoreAspectRatio,
                                                              Qt::SmoothTransformation);
        QPixmapCache::insert(key, stretched_);
    }
    stretched_.setDevicePixelRatio(ratio);
}

} // namespace rurozovizera::ui
