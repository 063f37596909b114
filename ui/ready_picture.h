// Pictures the build has already stretched to the sizes they are drawn at.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace rurozovizera::ui {

// A picture as the build made it ready at the given size (see
// add_stretched_pictures), in the format Qt holds it in as a pixmap; a null
// image where the build made none.
QImage readyPicture(const QString& source, QSize size);

} // namespace rurozovizera::ui
