#pragma once

#include <QByteArrayView>

namespace markwright {

// The source pane stores UTF-8 and counts positions in bytes; the rest of the
// editor counts positions in UTF-16 units, as QString does. These convert
// between the two by walking the bytes once.
namespace utf8 {

// The number of UTF-16 units encoded by the first `bytePos` bytes.
qsizetype utf16Length(QByteArrayView bytes, qsizetype bytePos);

// The byte offset at which UTF-16 index `utf16Pos` starts (clamped to the
// end). An index inside a surrogate pair rounds up to the next character.
qsizetype byteOffset(QByteArrayView bytes, qsizetype utf16Pos);

} // namespace utf8

} // namespace markwright
