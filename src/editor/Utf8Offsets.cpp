#include "editor/Utf8Offsets.h"

namespace markwright {

namespace {
// Bytes taken by the sequence that starts with lead byte `c`, and the UTF-16
// units it encodes. Stray continuation bytes count as one unit each, as the
// decoder turns each into one replacement character.
struct Step {
    int bytes;
    int units;
};

Step stepAt(unsigned char c) {
    if (c < 0x80) {
        return {1, 1};
    }
    if ((c & 0xE0) == 0xC0) {
        return {2, 1};
    }
    if ((c & 0xF0) == 0xE0) {
        return {3, 1};
    }
    if ((c & 0xF8) == 0xF0) {
        return {4, 2};
    }
    return {1, 1};
}
} // namespace

namespace utf8 {

qsizetype utf16Length(QByteArrayView bytes, qsizetype bytePos) {
    const qsizetype end = qMin(bytePos, bytes.size());
    qsizetype units = 0;
    qsizetype i = 0;
    while (i < end) {
        const Step s = stepAt(static_cast<unsigned char>(bytes[i]));
        units += s.units;
        i += s.bytes;
    }
    return units;
}

qsizetype byteOffset(QByteArrayView bytes, qsizetype utf16Pos) {
    qsizetype units = 0;
    qsizetype i = 0;
    while (i < bytes.size() && units < utf16Pos) {
        const Step s = stepAt(static_cast<unsigned char>(bytes[i]));
        units += s.units;
        i += s.bytes;
    }
    return qMin(i, bytes.size());
}

} // namespace utf8

} // namespace markwright
