#include "picture_box.h"

#include <QPainter>
#include <QPixmapCache>

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

void PictureBox::paintEvent(QPaintEvent*) {
    prepare();
    QPainter(this).drawPixmap(0, 0, stretched_);
}

void PictureBox::stretch(QSize target, qreal ratio) {
    QString source = resource_;
    if (ratio > 1.0)
        source.insert(source.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    const QString key =
        QStringLiteral("%1 %2x%3").arg(source).arg(target.width()).arg(target.height());
    if (!QPixmapCache::find(key, &stretched_)) {
        stretched_ =
            QPixmap(source).scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPixmapCache::insert(key, stretched_);
    }
    stretched_.setDevicePixelRatio(ratio);
}

} // namespace rurozovizera::ui
