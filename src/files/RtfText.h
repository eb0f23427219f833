#pragma once

#include <QByteArray>
#include <QString>

namespace markwright {

// The plain text of a rich-text (RTF) document: paragraphs and line breaks
// become line ends, tabs stay tabs, hexadecimal and Unicode escapes become
// their characters, and font tables, colour tables, pictures and other
// hidden groups are left out.
bool looksLikeRtf(const QByteArray& bytes);
QString rtfPlainText(const QByteArray& bytes);

} // namespace markwright
