#include "form_controls.h"

#include <QGuiApplication>
#ifdef _WIN32
#include <QMainWindow>
#endif
#include <QPainter>
#include <QPixmapCache>
#include <QScreen>
#include <QStyleOptionButton>

#include <algorithm>

namespace rurozovizera::ui {

QLabel* createLabel(QWidget* parent, const LabelSpec& spec) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(spec.name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(spec.font.toFont());
    label->setAlignment(spec.alignment | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, fromBgr(spec.foreColor));
    if (spec.backColor) {
        palette.setColor(QPalette::Window, fromBgr(*spec.backColor));
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    if (spec.border)
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setGeometry(spec.box.toPixels());
    if (spec.autoSize)
        setAutoSizedCaption(label, QString::fromUtf8(spec.caption));
    else {
        label->setWordWrap(true);
        label->setText(QString::fromUtf8(spec.caption));
    }
    return label;
}

void setAutoSizedCaption(QLabel* label, const QString& caption) {
    const QRect stored = label->geometry();
    label->setText(caption);
    label->resize(label->sizeHint());
    if (label->alignment() & Qt::AlignRight)
        label->move(stored.right() + 1 - label->width(), stored.top());
}

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

KeyButton::KeyButton(QWidget* parent, const char* name, const QString& caption, TwipsRect box,
                     const FontSpec& font)
    : QPushButton(caption, parent) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(box.toPixels());
    setFont(font.toFont());
    // Enter on a focused key clicks it, as Space does; outside a dialog this
    // makes no key the window's default button.
    setAutoDefault(true);
}

void KeyButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    const bool down = isDown() || isChecked();
    painter.fillRect(r, fromBgr(kKeyFace));

    // Two-pixel bevel: light above and left, dark below and right; swapped
    // while the key is held down. A focused or default key gets a black rim.
    const QColor light = fromBgr(kWhite);
    const QColor shadow = fromBgr(kGrey);
    const QColor dark = fromBgr(kBlack);
    QRect bevel = r;
    if (hasFocus() || isDefault()) {
        painter.setPen(dark);
        painter.drawRect(bevel.adjusted(0, 0, -1, -1));
        bevel.adjust(1, 1, -1, -1);
    }
    auto edge = [&](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    if (down) {
        edge(bevel, shadow, shadow);
    } else {
        edge(bevel, light, dark);
        edge(bevel.adjusted(1, 1, -1, -1), light, shadow);
    }

    QRect textBox = r;
    if (down)
        textBox.translate(1, 1);
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        painter.drawText(textBox, Qt::AlignCenter, text());
    } else {
        // Disabled: the caption engraved in the face, white under grey.
        painter.setPen(light);
        painter.drawText(textBox.translated(1, 1), Qt::AlignCenter, text());
        painter.setPen(shadow);
        painter.drawText(textBox, Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = r.adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

QIcon applicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/pictures/icon-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon-64.png"), QSize(64, 64));
    return icon;
}

void placeWindow(QWidget* window, QSize clientSize, QPoint storedPosition) {
    window->resize(clientSize);
    QPoint position = storedPosition;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        position.setX(
            std::clamp(position.x(), available.left(),
                       std::max(available.left(), available.right() - clientSize.width())));
        position.setY(
            std::clamp(position.y(), available.top(),
                       std::max(available.top(), available.bottom() - clientSize.height())));
    }
#ifdef _WIN32
    // Windows places a window by its client area, as the layouts store it;
    // the menu bar, which the toolkit draws inside the client area, goes
    // above the stored place, where Windows' own menu bar would be.
    if (const auto* main = qobject_cast<const QMainWindow*>(window); main && main->menuWidget())
        position.ry() -= main->menuWidget()->sizeHint().height();
    window->setGeometry(QRect(position, clientSize));
#else
    window->move(position);
#endif
}

void setUpWindow(QWidget* window, const WindowSpec& spec) {
    window->setObjectName(QString::fromLatin1(spec.name));
    if (spec.title)
        window->setWindowTitle(QString::fromUtf8(spec.title));
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QRect client = spec.clientArea.toPixels();
    const QPoint frame(spec.frameWidth, spec.frameWidth);
    placeWindow(window, client.size() + 2 * QSize(frame.x(), frame.y()), client.topLeft() - frame);
    setGround(window, kDarkNavy);
}

void setGround(QWidget* widget, std::uint32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, fromBgr(bgr));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void showInFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace rurozovizera::ui
