#include "label.h"

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

} // namespace rurozovizera::ui
