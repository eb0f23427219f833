#include "editor/Formatter.h"
#include "support/TestData.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <map>

using namespace htmlformat;

namespace {
using Style = QString (*)(const QString&);
const Style compact = [](const QString& t) { return formatCompact(t); };
const Style simple = [](const QString& t) { return formatSimple(t); };
const Style hierarchal = [](const QString& t) { return formatHierarchal(t); };
const Style indent = [](const QString& t) { return indentTags(t); };
const Style styles[] = {compact, simple, hierarchal};
// The styles in a page whose line end is LF.
const Style compactLf = [](const QString& t) { return formatCompact(t, "\n"); };
const Style simpleLf = [](const QString& t) { return formatSimple(t, "\n"); };
const Style hierarchalLf = [](const QString& t) { return formatHierarchal(t, {}, "\n"); };

QString utf8(const QByteArray& field) {
    return QString::fromUtf8(field);
}

// Whether `out` is `parts` formatted: even parts (text outside raw elements,
// their tags included) come back with only white space changed, odd parts (raw
// content) exactly, right after the opening tag and right before "</". Inside
// a tag ("<" to ">") white space between two characters never goes entirely,
// but for that after "<" and before ">".
bool keepsText(const QString& out, const QStringList& parts) {
    qsizetype at = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i % 2 == 1) {
            if (!QStringView(out).sliced(at).startsWith(parts[i] + "</")) {
                return false;
            }
            at += parts[i].size();
            continue;
        }
        bool inTag = false;
        bool gap = false;
        for (const QChar c : parts[i]) {
            if (c.isSpace()) {
                gap = true;
                continue;
            }
            const qsizetype from = at;
            while (at < out.size() && out[at].isSpace()) {
                ++at;
            }
            if (at == out.size() || out[at++] != c ||
                (inTag && gap && at - 1 == from && out[from - 1] != '<' && c != '>')) {
                return false;
            }
            inTag = c == '<' || (inTag && c != '>');
            gap = false;
        }
    }
    return QStringView(out).sliced(at).trimmed().isEmpty();
}
} // namespace

// Each style's cases, worked example included, and replaceAll's, from the
// tables in tests/data.
TEST(Formatter, EveryStyleGivesItsExpectedText) {
    const std::map<QByteArray, QString (*)(const QString&)> style = {
        {"tidy", tidyTagSpaces},    {"compact", compact},    {"simple", simple},
        {"hierarchal", hierarchal}, {"indent", indent},      {"crlf", toCrLf},
        {"compact-lf", compactLf},  {"simple-lf", simpleLf}, {"hierarchal-lf", hierarchalLf}};
    const QList<QByteArrayList> cases = testdata::table("expected/formatter-cases.txt");
    ASSERT_EQ(cases.size(), 31);
    for (const QByteArrayList& c : cases) {
        ASSERT_EQ(style.count(c[0]), 1u) << c[0].toStdString();
        EXPECT_EQ(style.at(c[0])(utf8(c[2])).toStdString(), c.value(3).toStdString())
            << c[1].toStdString();
    }
    for (const QByteArrayList& c : testdata::table("expected/replace-all.txt")) {
        EXPECT_EQ(replaceAll(utf8(c[0]), utf8(c[1]), utf8(c[2])), utf8(c[3])) << c[0].data();
    }
    // Each squeeze is a single pass: 2 to 38 blanks end as one, 39 as two.
    for (int n = 1; n <= 38; ++n) {
        EXPECT_EQ(formatCompact("a" + QString(n, ' ') + "b"), "a b") << n;
    }
    EXPECT_EQ(formatCompact("a" + QString(39, ' ') + "b"), "a  b");
}

// Pages that never close their li, td or option elements nest ever deeper:
// the indentation stops at 32 TABs (one of the expected texts shows it), so
// the output stays within a constant factor of the input.
TEST(Formatter, HierarchalIndentationStopsAt32Tabs) {
    for (const char* item : {"<li>item", "<td>cell", "<option>o"}) {
        const QString input = "<ul>" + QString(item).repeated(20000) + "</ul>";
        for (const auto style : {hierarchal, indent}) {
            EXPECT_LE(style(input).size(), 8 * input.size()) << item;
        }
    }
}

// Each input with what every style must give back of it: the raw content
// exactly, its tags tidied as usual.
TEST(Formatter, RawElementsKeepTheirContentInEveryStyle) {
    const QList<QByteArrayList> cases = testdata::table("expected/formatter-raw-elements.txt");
    ASSERT_EQ(cases.size(), 8);
    for (const QByteArrayList& c : cases) {
        for (const auto style : styles) {
            const QString out = style(utf8(c[0]));
            EXPECT_TRUE(out.contains(utf8(c.value(1)))) << out.toStdString();
        }
    }
}

// The tags findTag finds and the names that open a level, from the table.
TEST(Formatter, FindTagAndTagName) {
    for (const QByteArrayList& c : testdata::table("expected/formatter-tags.txt")) {
        SCOPED_TRACE(c.join('|').toStdString());
        if (c[0] == "level") {
            EXPECT_EQ(opensLevel(utf8(c[1])), c[2] == "1");
            continue;
        }
        const TagInfo tag = findTag(utf8(c[1]), c[2].toDouble());
        EXPECT_EQ(tag.tagText, utf8(c[3]));
        EXPECT_EQ(tag.tagStart, c[4].toDouble());
        EXPECT_TRUE(c[5].isEmpty() || tag.tagLength == c[5].toDouble());
        EXPECT_EQ(tagName(tag), utf8(c.value(6)));
    }
}

// Random texts of tags, words, blanks, TABs, line breaks and stray "<" and
// ">", some with raw elements: nothing crashes; no style loses or moves a
// character other than white space, joins words inside a tag, nor changes raw
// content at all, and with LF for line end none writes a CR; and taking away
// what the indenter adds (a line break and TABs before every "<") gives back
// exactly the text it was given.
TEST(Formatter, FormattingNeverLosesOrReordersText) {
    const QList<QByteArrayList> rows = testdata::table("expected/formatter-random-pieces.txt");
    const QList<QByteArrayList> raw = rows.mid(1); // "raw", opening tag, closing tag
    QStringList pieces;
    for (const QByteArray& piece : rows[0].mid(1)) {
        pieces << utf8(piece);
    }
    ASSERT_EQ(pieces.size(), 22);
    QRandomGenerator random(20261206);
    const auto randomText = [&](int most) {
        QString text;
        for (int i = random.bounded(0, most); i > 0; --i) {
            text += pieces[random.bounded(static_cast<int>(pieces.size()))];
        }
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        QStringList parts{randomText(40)}; // raw content at odd indexes
        for (int i = round % 3; i > 0; --i) {
            const QByteArrayList& kind = raw[random.bounded(static_cast<int>(raw.size()))];
            parts.last() += utf8(kind[1]);
            parts << randomText(10) << utf8(kind[2]) + randomText(10);
        }
        const QString input = parts.join(QString());
        for (const auto style : styles) {
            ASSERT_TRUE(keepsText(style(input), parts)) << input.toStdString();
        }
        for (const auto style : {compactLf, simpleLf, hierarchalLf}) {
            ASSERT_FALSE(style(toCrLf(input)).contains('\r')) << input.toStdString();
        }
        const QString flat = replaceAll(replaceAll(input, "\r\n", ""), "\t", "");
        const QString indented = indentTags(flat);
        QString restored;
        for (qsizetype i = 0; i < indented.size(); ++i) {
            if (indented[i] == '<') {
                while (restored.endsWith('\t')) {
                    restored.chop(1);
                }
                ASSERT_TRUE(restored.endsWith("\r\n")) << input.toStdString();
                restored.chop(2);
            }
            restored += indented[i];
        }
        ASSERT_EQ(restored, flat) << input.toStdString();
        // Where no tag holds a TAB or line break, Hierarchal is just that.
        static const QRegularExpression breakInTag("<[^>]*(\r\n|\t)");
        if (parts.size() == 1 && !input.contains(breakInTag)) {
            EXPECT_EQ(formatHierarchal(input), tidyTagSpaces(indented)) << input.toStdString();
            EXPECT_FALSE(formatCompact(input).contains('\t'));
        }
    }
}
