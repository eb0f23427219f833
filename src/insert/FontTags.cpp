#include "insert/FontTags.h"

namespace markwright {

namespace {
// Sizes 8 to 10 are inserted as they are, though HTML sizes end at 7; the
// tag keeps its blank before the equals sign.
QString sizeTag(int size) {
    return QStringLiteral("<font size =\"%1\">").arg(size);
}
QString faceTag(const char* face) {
    return QStringLiteral("<font face=\"%1\">").arg(QLatin1String(face));
}
} // namespace

const SnippetList& fontSnippets() {
    static const SnippetList list{
        {"mnuFontSize1", sizeTag(1)},
        {"mnuFontSize2", sizeTag(2)},
        {"mnuFontSize3", sizeTag(3)},
        {"mnuFontSize4", sizeTag(4)},
        {"mnuFontSize5", sizeTag(5)},
        {"mnuFontSize6", sizeTag(6)},
        {"mnuFontSize7", sizeTag(7)},
        {"mnuFontSize8", sizeTag(8)},
        {"mnuFontSize9", sizeTag(9)},
        {"mnuFontSize10", sizeTag(10)},
        {"mnuEndFontSize", "</font>\n"},
        {"mnuArial", faceTag("Arial")},
        {"mnuArialBlack", faceTag("Arial Black")},
        {"mnuArialNarrow", faceTag("Arial Narrow")},
        {"mnuCourier", faceTag("Courier")},
        {"mnuTimes", faceTag("Times New Roman")},
        {"mnuEndFontFace", "</font>\n"},
    };
    return list;
}

} // namespace markwright
