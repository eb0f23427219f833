#pragma once

#include <QByteArrayView>
#include <QString>

namespace markwright {

// The line ends a text uses. Scanned over the UTF-8 (or any ASCII-based)
// bytes in one pass.
namespace lineends {

enum class Style { None, CrLf, Lf, Cr, Mixed };

// The first line end of the text: what Enter types in it (CR LF when the
// text has none yet).
Style first(QByteArrayView bytes);
// All the line ends of the text: one style, none, or mixed.
Style overall(QByteArrayView bytes);
// "CR LF", "LF", "CR", "mixed", "none".
QString name(Style style);

} // namespace lineends

} // namespace markwright
