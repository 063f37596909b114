// Pictures stretched to their stored boxes.
#pragma once

#include "twips.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace rurozovizera::ui {

struct PictureSpec {
    const char* name;
    TwipsRect box;
};

// A picture stretched to its box. The picture is read when first needed,
// from its double-size version on a screen scaled beyond 1, and the
// stretched copy is made once per picture, size and device pixel ratio, and
// shared by every box that shows the same picture at that size.
class PictureBox : public QWidget {
public:
    PictureBox(QWidget* parent, const char* name, const QString& resource, TwipsRect box);

    // Makes the stretched copy for the box's present size now, rather than
    // when the box is next drawn.
    void prepare();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void stretch(QSize target, qreal ratio);

    QString resource_;
    QPixmap stretched_;
};

} // namespace rurozovizera::ui
