#include "settings/IniFile.h"

#include "core/TextEncoding.h"

#include <QStringDecoder>
#include <vector>

namespace markwright {

namespace {

// One line of the file as it lies in the bytes: its text without the line
// end, and the line end itself (CR LF, LF, CR, or nothing on the last line).
struct Line {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype endLength = 0;
    QString text;
};

enum class LineKind { Blank, Comment, Section, Entry, Other };

// What a line means to the profile reader.
struct Meaning {
    LineKind kind = LineKind::Other;
    QString name; // the section name or the key
    QString value;
};

// Each line is decoded on its own, so a legacy file in the Windows code page
// that later gained UTF-8 lines still reads correctly line by line.
QString decodeLine(QByteArrayView bytes) {
    // The file's own byte-order mark is gone by now; a U+FEFF at the start
    // of a line is part of the line (a key may start with one).
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        return decodeWindows1252(bytes);
    }
    return text;
}

std::vector<Line> splitLines(const QByteArray& contents) {
    std::vector<Line> lines;
    qsizetype pos = 0;
    const qsizetype size = contents.size();
    while (pos < size) {
        Line line;
        line.start = pos;
        qsizetype end = pos;
        while (end < size && contents[end] != '\n' && contents[end] != '\r') {
            ++end;
        }
        line.length = end - pos;
        if (end < size) {
            line.endLength =
                (contents[end] == '\r' && end + 1 < size && contents[end + 1] == '\n') ? 2 : 1;
        }
        QByteArrayView bytes(contents.constData() + line.start, line.length);
        if (line.start == 0 && bytes.startsWith("\xEF\xBB\xBF")) {
            bytes = bytes.sliced(3);
        }
        line.text = decodeLine(bytes);
        pos = end + line.endLength;
        lines.push_back(std::move(line));
    }
    return lines;
}

QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first) {
            return value.mid(1, value.size() - 2);
        }
    }
    return value;
}

Meaning meaningOf(const QString& text) {
    Meaning meaning;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        meaning.kind = LineKind::Blank;
    } else if (trimmed.startsWith(QLatin1Char(';'))) {
        meaning.kind = LineKind::Comment;
    } else if (trimmed.startsWith(QLatin1Char('['))) {
        // A header without its closing bracket still names a section: the
        // rest of the line.
        meaning.kind = LineKind::Section;
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        meaning.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
    } else if (const qsizetype equals = trimmed.indexOf(QLatin1Char('=')); equals >= 0) {
        meaning.kind = LineKind::Entry;
        meaning.name = trimmed.left(equals).trimmed();
        meaning.value = unquoted(trimmed.mid(equals + 1).trimmed());
    }
    return meaning;
}

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Where a key lives, or would go, in the first section of the given name.
struct Location {
    int header = -1;       // the section's header line; -1 when there is none
    int key = -1;          // the first line holding the key; -1 when there is none
    int lastNonBlank = -1; // the section's last line with any text on it
    QString value;         // the key's value when found
};

Location locate(const std::vector<Line>& lines, const QString& section, const QString& key) {
    Location where;
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const Meaning meaning = meaningOf(lines[i].text);
        if (where.header < 0) {
            if (meaning.kind == LineKind::Section && sameName(meaning.name, wantedSection)) {
                where.header = i;
                where.lastNonBlank = i;
            }
            continue;
        }
        if (meaning.kind == LineKind::Section) {
            break; // only the first section of that name counts
        }
        if (meaning.kind != LineKind::Blank) {
            where.lastNonBlank = i;
        }
        if (where.key < 0 && meaning.kind == LineKind::Entry && sameName(meaning.name, wantedKey)) {
            where.key = i;
            where.value = meaning.value;
        }
    }
    return where;
}

// New lines follow the file's own line ends; a file without any gets the
// platform's.
QByteArray lineEndFor(const QByteArray& contents) {
    const qsizetype first = contents.indexOf('\n');
    const qsizetype firstCr = contents.indexOf('\r');
    if (firstCr >= 0 && (first < 0 || firstCr < first)) {
        return (firstCr + 1 < contents.size() && contents[firstCr + 1] == '\n')
                   ? QByteArrayLiteral("\r\n")
                   : QByteArrayLiteral("\n");
    }
    if (first >= 0) {
        return QByteArrayLiteral("\n");
    }
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

} // namespace

namespace ini {

std::optional<QString> readValue(const QByteArray& contents, const QString& section,
                                 const QString& key) {
    const Location where = locate(splitLines(contents), section, key);
    if (where.key < 0) {
        return std::nullopt;
    }
    return where.value;
}

QByteArray writeValue(const QByteArray& contents, const QString& section, const QString& key,
                      const QString& value) {
    const std::vector<Line> lines = splitLines(contents);
    const Location where = locate(lines, section, key);
    const QByteArray eol = lineEndFor(contents);
    const QByteArray entry = key.toUtf8() + '=' + value.toUtf8();

    QByteArray result = contents;
    if (where.key >= 0) {
        const Line& line = lines[where.key];
        qsizetype start = line.start;
        qsizetype length = line.length;
        if (start == 0 && contents.startsWith("\xEF\xBB\xBF")) {
            start += 3; // the byte order mark stays in front of the file
            length -= 3;
        }
        result.replace(start, length, entry);
    } else if (where.header >= 0) {
        const Line& last = lines[where.lastNonBlank];
        const qsizetype after = last.start + last.length + last.endLength;
        result.insert(after, last.endLength > 0 ? entry + eol : eol + entry + eol);
    } else {
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r')) {
            result += eol;
        }
        result += '[' + section.toUtf8() + ']' + eol + entry + eol;
    }
    return result;
}

} // namespace ini

} // namespace markwright
