#include "editor/Formatter.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace htmlformat;

namespace {
struct Case {
    const char* name;
    QString input;
    QString expected;
};

void expectCases(QString (*formatter)(const QString&), std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(formatter(c.input).toStdString(), c.expected.toStdString()) << c.name;
    }
}

QString hierarchal(const QString& text) {
    return formatHierarchal(text);
}
QString indent(const QString& text) {
    return indentTags(text);
}
QString compact(const QString& text) {
    return formatCompact(text);
}
QString simple(const QString& text) {
    return formatSimple(text);
}
QString tidy(const QString& text) {
    return tidyTagSpaces(text);
}
QString (*const styles[])(const QString&) = {compact, simple, hierarchal};

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

TEST(Formatter, TidyAndCompactAndSimple) {
    expectCases(tidy, {
                          {"one pass per pattern", "<b  >", "<b >"},
                          {"blank after <", "<  b>", "< b>"},
                          {"between tags", "<a> <b> <c>", "<a><b><c>"},
                      });
    expectCases(compact, {
                             {"lines join without a blank", "one\r\ntwo", "onetwo"},
                             {"lone breaks stay", "a\nb\rc", "a\nb\rc"},
                             {"tab becomes a blank", "a\tb", "a b"},
                             {"tags tidied", "<p >  x  </p> <br>", "<p> x </p><br>"},
                         });
    // Each squeeze is a single pass: 2 to 38 blanks end as one, 39 as two.
    for (int n = 1; n <= 38; ++n) {
        EXPECT_EQ(formatCompact("a" + QString(n, ' ') + "b"), "a b") << n;
    }
    EXPECT_EQ(formatCompact("a" + QString(39, ' ') + "b"), "a  b");
    expectCases(simple, {
                            {"adjacent tags split", "<p>x</p><br>", "<p>x</p>\r\n<br>"},
                            {"text stays with its tag", "<b>bold</b>", "<b>bold</b>"},
                            {"squeezed first", "<a>\r\n  <b>", "<a>\r\n<b>"},
                        });
}

// The worked example: an empty first line, then one chunk per line indented
// by the nesting depth, "p" opening no level.
TEST(Formatter, HierarchalWorkedExample) {
    const QString input =
        "<html><head><title>T</title></head><body><p>word <b>B</b></p><br></body>";
    const QString expected = "\r\n<html>"
                             "\r\n\t<head>"
                             "\r\n\t\t<title>T"
                             "\r\n\t\t</title>"
                             "\r\n\t</head>"
                             "\r\n\t<body>"
                             "\r\n\t\t<p>word "
                             "\r\n\t\t<b>B"
                             "\r\n\t\t</b>"
                             "\r\n\t</p>"
                             "\r\n\t<br>"
                             "\r\n</body>";
    EXPECT_EQ(formatHierarchal(input).toStdString(), expected.toStdString());
}

TEST(Formatter, HierarchalEdgeCases) {
    expectCases(hierarchal,
                {
                    {"empty", "", ""},
                    {"no tags", "ab\r\n\tc  d", "abc  d"},
                    {"text first", "word <b>x</b> word", "word \r\n<b>x\r\n</b> word"},
                    {"tabs removed, breaks removed", "<a>\r\n\t<b>", "\r\n<a>\r\n\t<b>"},
                    {"upper-case names and img/", "<BR><IMG SRC=x><!DOCTYPE html><img/><i>",
                     "\r\n<BR>\r\n<IMG SRC=x>\r\n<!DOCTYPE html>\r\n<img/>\r\n\t<i>"},
                    {"comment opens no level", "<!--c--><a>", "\r\n<!--c-->\r\n<a>"},
                    {"below level zero: no tabs, and the count goes on", "</p></div><b><i>",
                     "\r\n</p>\r\n</div>\r\n<b>\r\n<i>"},
                    {"climbs back from below zero", "</x></y><a><b><c><d>",
                     "\r\n</x>\r\n</y>\r\n<a>\r\n<b>\r\n<c>\r\n\t<d>"},
                    {"tidy after indent", "<a >x< b>", "\r\n<a>x\r\n\t<b>"},
                });
    expectCases(indent, {{"lone < opens a level", "<p>x<<b>", "\r\n<p>x\r\n<\r\n\t<b>"}});
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
    const struct {
        QString input;
        QString kept;
    } cases[] = {
        {"<div> <pre class=\"x\">  a\r\n\t<b>b</b>  </pre > <p>",
         "<pre class=\"x\">  a\r\n\t<b>b</b>  </pre>"},
        {"<TEXTAREA>x  y\r\n</TEXTAREA><br>", "<TEXTAREA>x  y\r\n</TEXTAREA>"},
        {"<p>a</p><script>\r\nvar s = \"<b>  </p>\"; // a < b\r\n\tgo();\r\n</SCRIPT ><p>",
         "<script>\r\nvar s = \"<b>  </p>\"; // a < b\r\n\tgo();\r\n</SCRIPT>"},
        {"<Style type=\"text/css\">\r\np  {\r\n\tcolor: red; }</style>",
         "<Style type=\"text/css\">\r\np  {\r\n\tcolor: red; }</style>"},
        {"<textarea></textarea>", "<textarea></textarea>"},
        {"<pre>a <pre> b </pre>  c  </pre>", "<pre>a <pre> b </pre>  c  </pre>"},
        {"<pre> a </prefix>  b <!-- </pre> -->  </pre>",
         "<pre> a </prefix>  b <!-- </pre> -->  </pre>"},
        {"<p> <pre>  a\r\n  <b>  c", "<pre>  a\r\n  <b>  c"},
    };
    for (const auto& c : cases) {
        for (const auto style : styles) {
            EXPECT_TRUE(style(c.input).contains(c.kept)) << style(c.input).toStdString();
        }
    }
    EXPECT_EQ(formatCompact("<!--<pre>-->a  b"), "<!--<pre>-->a b") << "commented out";
    EXPECT_EQ(formatSimple("<div> <pre> <b>x</b> </pre> <p>"),
              "<div>\r\n<pre> <b>x</b> </pre>\r\n<p>");
    EXPECT_EQ(formatHierarchal("<body><pre>  x\r\n</pre><p>y</p></body>"),
              "\r\n<body>\r\n\t<pre>  x\r\n</pre>\r\n\t<p>y\r\n</p>\r\n</body>");
}

TEST(Formatter, FindTagAndTagName) {
    struct TagCase {
        const char* text;
        double after;
        const char* tagText;
        double start;
        double length;
        const char* name;
    };
    const TagCase cases[] = {
        {"ab<img src=x>c", 0, "<img src=x>", 3, 10, "img"},
        {"<br>", 0, "<br>", 1, 3, "br"},
        {"<br><hr>", 1, "<hr>", 5, 3, "hr"},
        {"x<!--note-->", 0, "<!--note-->", 2, 10, "!--"},
        {"</p>", 0, "</p>", 1, 3, "/p"},
        {"ab<cd", 0, "", 3, 0, ""},
        {"no tag", 0, "", 0, 0, ""},
    };
    for (const TagCase& c : cases) {
        const TagInfo tag = findTag(c.text, c.after);
        EXPECT_EQ(tag.tagText, c.tagText) << c.text;
        EXPECT_EQ(tag.tagStart, c.start) << c.text;
        if (!tag.tagText.isEmpty()) {
            EXPECT_EQ(tag.tagLength, c.length) << c.text;
        }
        EXPECT_EQ(tagName(tag), c.name) << c.text;
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
