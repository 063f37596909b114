#include "key_button.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace rurozovizera::ui {

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

} // namespace rurozovizera::ui
