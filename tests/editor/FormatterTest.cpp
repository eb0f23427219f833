#include "editor/Formatter.h"
#include "support/TestData.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace htmlformat;

namespace {
QString hierarchal(const QString& text) {
    return formatHierarchal(text);
}
QString indent(const QString& text) {
    return indentTags(text);
}
QString (*const styles[])(const QString&) = {formatCompact, formatSimple, hierarchal};

// Whether `out` is `parts` formatted: even parts (text outside raw elements,
// their tags included) come back with only white space changed, odd parts (raw
// content) exactly, right after the opening tag and right before "</".
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
        for (const QChar c : parts[i]) {
            while (!c.isSpace() && at < out.size() && out[at].isSpace()) {
                ++at;
            }
            if (!c.isSpace() && (at == out.size() || out[at++] != c)) {
                return false;
            }
        }
    }
    return QStringView(out).sliced(at).trimmed().isEmpty();
}
} // namespace

TEST(Formatter, ReplaceAllIsOnePassWithoutOverlapOrRescan) {
    EXPECT_EQ(replaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(replaceAll("aaa", "aa", "X"), "Xa");
    EXPECT_EQ(replaceAll("abab", "ab", "abab"), "abababab");
    EXPECT_EQ(replaceAll("none", "x", "y"), "none");
    EXPECT_EQ(replaceAll("<B><b>", "<b>", "<i>"), "<B><i>") << "exact case";
}

TEST(Formatter, LineBreaksReachTheFormattersAsCrLf) {
    EXPECT_EQ(toCrLf("a\nb\rc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
}

// Each style's cases, worked example included, from the table in tests/data.
TEST(Formatter, EveryStyleGivesItsExpectedText) {
    const std::map<QByteArray, QString (*)(const QString&)> style = {{"tidy", tidyTagSpaces},
                                                                     {"compact", formatCompact},
                                                                     {"simple", formatSimple},
                                                                     {"hierarchal", hierarchal},
                                                                     {"indent", indent}};
    const QList<QByteArrayList> cases = testdata::table("expected/formatter-cases.txt");
    ASSERT_EQ(cases.size(), 24);
    for (const QByteArrayList& c : cases) {
        ASSERT_EQ(c.size(), 4);
        ASSERT_EQ(style.count(c[0]), 1u) << c[0].toStdString();
        EXPECT_EQ(style.at(c[0])(QString::fromUtf8(c[2])).toStdString(), c[3].toStdString())
            << c[1].toStdString();
    }
    // Each squeeze is a single pass: 2 to 38 blanks end as one, 39 as two.
    for (int n = 1; n <= 38; ++n) {
        EXPECT_EQ(formatCompact("a" + QString(n, ' ') + "b"), "a b") << n;
    }
    EXPECT_EQ(formatCompact("a" + QString(39, ' ') + "b"), "a  b");
}

// Pages that never close their li, td or option elements nest ever deeper:
// the indentation stops at 32 TABs, so the output stays within a constant
// factor of the input, and closing tags still bring the depth back exactly.
TEST(Formatter, HierarchalIndentationStopsAt32Tabs) {
    for (const char* item : {"<li>item", "<td>cell", "<option>o"}) {
        const QString input = "<ul>" + QString(item).repeated(20000) + "</ul>";
        for (const auto style : {hierarchal, indent}) {
            EXPECT_LE(style(input).size(), 8 * input.size()) << item;
        }
    }
    // 34 nested tags: the TABs before each line, and the text without them.
    const QString input = QString("<i>").repeated(34) + "x" + QString("</i>").repeated(34);
    const QString out = formatHierarchal(input);
    QStringList tabs;
    for (const QString& line : out.split("\r\n").mid(1)) {
        tabs << QString::number(line.size() - QString(line).remove('\t').size());
    }
    EXPECT_EQ(tabs.join(' ').toStdString(),
              "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 "
              "26 27 28 29 30 31 32 32 32 32 31 30 29 28 27 26 25 24 23 22 21 20 19 "
              "18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0");
    EXPECT_EQ(
        QString(out).remove('\t').toStdString(),
        (QString("\r\n<i>").repeated(34) + "x" + QString("\r\n</i>").repeated(34)).toStdString());
}

// Each input with what every style must give back of it: the raw content
// exactly, its tags tidied as usual.
TEST(Formatter, RawElementsKeepTheirContentInEveryStyle) {
    const QList<QByteArrayList> cases = testdata::table("expected/formatter-raw-elements.txt");
    ASSERT_EQ(cases.size(), 8);
    for (const QByteArrayList& c : cases) {
        for (const auto style : styles) {
            const QString out = style(QString::fromUtf8(c[0]));
            EXPECT_TRUE(out.contains(QString::fromUtf8(c.value(1)))) << out.toStdString();
        }
    }
}

TEST(Formatter, FindTagAndTagName) {
    // Text, where the search starts, then the tag found: its text, start (from
    // 1), length and name.
    const std::tuple<const char*, double, const char*, double, double, const char*> cases[] = {
        {"ab<img src=x>c", 0, "<img src=x>", 3, 10, "img"},
        {"<br>", 0, "<br>", 1, 3, "br"},
        {"<br><hr>", 1, "<hr>", 5, 3, "hr"},
        {"x<!--note-->", 0, "<!--note-->", 2, 10, "!--"},
        {"</p>", 0, "</p>", 1, 3, "/p"},
        {"ab<cd", 0, "", 3, 0, ""},
        {"no tag", 0, "", 0, 0, ""}};
    for (const auto& [text, after, tagText, start, length, name] : cases) {
        const TagInfo tag = findTag(text, after);
        EXPECT_EQ(tag.tagText, tagText) << text;
        EXPECT_EQ(tag.tagStart, start) << text;
        if (!tag.tagText.isEmpty()) {
            EXPECT_EQ(tag.tagLength, length) << text;
        }
        EXPECT_EQ(tagName(tag), name) << text;
    }
    for (const char* flat :
         {"br", "HR", "Img", "meta", "applet", "P", "!--", "input", "!DOCTYPE", "area"}) {
        EXPECT_FALSE(opensLevel(flat)) << flat;
    }
    for (const char* deep : {"", "img/", "div", "/p", "b"}) {
        EXPECT_TRUE(opensLevel(deep)) << deep;
    }
}

// Random texts of tags, words, blanks, TABs, line breaks and stray "<" and
// ">", some with raw elements: nothing crashes; no style loses or moves a
// character other than white space, nor changes raw content at all; and
// taking away what the indenter adds (a line break and TABs before every "<")
// gives back exactly the text it was given.
TEST(Formatter, FormattingNeverLosesOrReordersText) {
    const QStringList pieces{"<p>",       "</p>",   "<b>",        "</b>",  "<br>", "<img src=x>",
                             "<div a=1>", "</div>", "<!-- c -->", "word",  " ",    "  ",
                             "\t",        "\r\n",   "\r",         "\n",    "<",    ">",
                             "< ",        " >",     "\u00e9",     "<IMG/>"};
    const QStringList opening{"<pre>", "<PRE class=x>", "<textarea >", "<script>", "<Style>"};
    const QStringList closing{"</pre>", "</PRE >", "</textarea>", "</script>", "</STYLE>"};
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
            const int kind = random.bounded(static_cast<int>(opening.size()));
            parts.last() += opening[kind];
            parts << randomText(10) << closing[kind] + randomText(10);
        }
        const QString input = parts.join(QString());
        for (const auto style : styles) {
            ASSERT_TRUE(keepsText(style(input), parts)) << input.toStdString();
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
        if (parts.size() == 1) {
            EXPECT_EQ(formatHierarchal(input), tidyTagSpaces(indented)) << input.toStdString();
            EXPECT_FALSE(formatCompact(input).contains('\t'));
        }
    }
}
