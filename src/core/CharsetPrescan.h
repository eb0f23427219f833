#pragma once

#include <QByteArrayView>
#include <QString>

namespace markwright {

// The charset a page declares with <meta charset=...> or <meta http-equiv=
// "Content-Type" content="...; charset=...">, found as browsers look for it
// before they read a page: in its first 1024 bytes, comments skipped. The
// name of a charset browsers know ("KOI8-R", "UTF-8", "windows-1252"...), or
// empty when the page declares none they know.
QString declaredCharset(QByteArrayView head);

} // namespace markwright
