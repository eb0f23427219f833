#pragma once

#include <QPixmap>

namespace markwright {

// The product picture of the splash window and the about box, drawn rather
// than shipped: a page with a pen and angle brackets, and the name.
QPixmap productPicture(const QSize& size = QSize(451, 351));

} // namespace markwright
