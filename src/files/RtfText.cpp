#include "files/RtfText.h"

#include "core/TextEncoding.h"

#include <vector>

namespace markwright {

namespace {
struct Group {
    bool hidden = false;
    int unicodeSkip = 1;
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Groups whose text is not part of the document's visible text.
bool isHiddenDestination(const QByteArray& word) {
    static const char* const hidden[] = {"fonttbl", "colortbl",  "stylesheet", "info",
                                         "pict",    "header",    "footer",     "footnote",
                                         "object",  "themedata", "listtable",  "generator"};
    for (const char* name : hidden) {
        if (word == name) {
            return true;
        }
    }
    return false;
}

// One byte of the document's 8-bit text, read as Windows-1252.
QString byteChar(unsigned char b) {
    return decodeWindows1252(QByteArray(1, static_cast<char>(b)));
}
} // namespace

bool looksLikeRtf(const QByteArray& bytes) {
    return bytes.startsWith("{\\rtf");
}

QString rtfPlainText(const QByteArray& bytes) {
    QString out;
    std::vector<Group> groups{Group{}};
    int skipChars = 0; // characters still to skip after a \u escape
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    const auto put = [&](const QString& text) {
        if (groups.back().hidden) {
            return;
        }
        if (skipChars > 0) {
            --skipChars;
            return;
        }
        out += text;
    };
    while (i < n) {
        const char c = bytes[i];
        if (c == '{') {
            groups.push_back(groups.back());
            ++i;
        } else if (c == '}') {
            if (groups.size() > 1) {
                groups.pop_back();
            }
            ++i;
        } else if (c == '\\' && i + 1 < n) {
            const char next = bytes[i + 1];
            if (isLetter(next)) {
                qsizetype j = i + 1;
                while (j < n && isLetter(bytes[j])) {
                    ++j;
                }
                const QByteArray word = bytes.mid(i + 1, j - i - 1);
                qsizetype k = j;
                if (k < n && (bytes[k] == '-' || isDigit(bytes[k]))) {
                    ++k;
                    while (k < n && isDigit(bytes[k])) {
                        ++k;
                    }
                }
                const int param = bytes.mid(j, k - j).toInt();
                const bool hasParam = k > j;
                if (k < n && bytes[k] == ' ') {
                    ++k; // the blank ending a control word belongs to it
                }
                i = k;
                if (word == "par" || word == "line") {
                    put(QStringLiteral("\r\n"));
                } else if (word == "tab") {
                    put(QStringLiteral("\t"));
                } else if (word == "uc" && hasParam) {
                    groups.back().unicodeSkip = param;
                } else if (word == "u" && hasParam) {
                    put(QString(QChar(static_cast<char16_t>(param < 0 ? param + 65536 : param))));
                    skipChars = groups.back().unicodeSkip;
                } else if (isHiddenDestination(word)) {
                    groups.back().hidden = true;
                }
            } else if (next == '*') {
                groups.back().hidden = true; // an optional destination
                i += 2;
            } else if (next == '\'' && i + 3 < n) {
                bool ok = false;
                const int value = bytes.mid(i + 2, 2).toInt(&ok, 16);
                i += 4;
                if (ok) {
                    put(byteChar(static_cast<unsigned char>(value)));
                }
            } else if (next == '\\' || next == '{' || next == '}') {
                put(QString(QChar::fromLatin1(next)));
                i += 2;
            } else if (next == '~') {
                put(QString(QChar(0x00A0)));
                i += 2;
            } else {
                i += 2; // other control symbols carry no text
            }
        } else if (c == '\r' || c == '\n') {
            ++i; // line ends in the source are not text
        } else {
            put(byteChar(static_cast<unsigned char>(c)));
            ++i;
        }
    }
    return out;
}

} // namespace markwright
