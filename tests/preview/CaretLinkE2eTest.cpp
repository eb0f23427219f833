// The source pane and the real preview point at each other: the element at
// the caret is outlined in the page, and Ctrl+click or "Show Source" in the
// page selects the element's start tag in the pane.
#include "support/WebWindow.h"

#include <QAction>
#include <QFile>
#include <QWebEngineScript>

namespace {
// Omitted end tags, an implied <head>, <body> and <tbody>, a nested table.
const char* const Page = "<title>t</title>\r\n"
                         "<p>one\r\n"
                         "<p>two <b>bold</b>\r\n"
                         "<ul><li>a<li>b</ul>\r\n"
                         "<table><tr><td>x<td><table><tr><td>inner</table></table>\r\n";

const quint32 LinkWorld = QWebEngineScript::ApplicationWorld;

class CaretLinkTest : public WebWindowTest {
  protected:
    // What the preview outlines: the names from <html> down, "" for nothing.
    QVariant litNames() {
        if (view->outlinedBox().isEmpty()) {
            return "";
        }
        return js("(function() { var d = window.__markwrightLink.lit();"
                  " return d ? d.names.join('/') : ''; })()",
                  LinkWorld);
    }
    bool waitForLit(const QString& names) {
        for (int waited = 0; waited < 10000; waited += 50) {
            if (litNames() == names) {
                return true;
            }
            QTest::qWait(50);
        }
        return false;
    }
    void caretAt(const QString& text, int after = 0) {
        const int at = static_cast<int>(w->source().text().indexOf(text)) + after;
        ASSERT_GE(at, after) << text.toStdString();
        w->source().setSelection(at, 0);
    }
    void waitForModel() {
        for (int waited = 0; waited < 10000 && w->source().pageModel() == nullptr; waited += 20) {
            QTest::qWait(20);
        }
        ASSERT_NE(w->source().pageModel(), nullptr) << "no model of the page";
    }
    // Sends the page's element `selector` a click (with Ctrl or not) or a
    // context-menu event.
    void send(const QString& selector, const QString& event, bool ctrl) {
        js(QStringLiteral("document.querySelectorAll('%1')[%2].dispatchEvent(new MouseEvent('%3',"
                          " {bubbles: true, cancelable: true, ctrlKey: %4}))")
               .arg(selector.section(QLatin1Char('#'), 0, 0))
               .arg(selector.section(QLatin1Char('#'), 1, 1).toInt())
               .arg(event, ctrl ? "true" : "false"));
    }
    QString selected() { return w->source().selectedText(); }
    int selectionAt() { return w->source().selectionStart(); }
};
} // namespace

TEST_F(CaretLinkTest, TheElementAtTheCaretIsOutlinedImpliedElementsIncluded) {
    load(Page);
    waitForModel();
    const QString table = "html/body/table/tbody/tr/td";
    // Where the caret goes: just after the first character of the text.
    const std::pair<QString, QString> cases[] = {
        {"inner", table + "/table/tbody/tr/td"},
        {"two", "html/body/p"},
        {"bold", "html/body/p/b"},
        {"<li>b", "html/body/ul/li"},
        {"<td>x", table},
        {"</ul", "html/body/ul"},
        {"<title", ""}, // not shown: nothing to outline
    };
    for (const auto& [text, names] : cases) {
        SCOPED_TRACE(text.toStdString());
        caretAt(text, 1);
        EXPECT_TRUE(waitForLit(names)) << litNames().toString().toStdString();
    }
    // The box is drawn over the element, and the page is as it was.
    caretAt("bold", 1);
    ASSERT_TRUE(waitForLit("html/body/p/b"));
    const QVariantList box = js("(function() { var r = document.querySelector('b')"
                                ".getBoundingClientRect(); return [r.left, r.top, r.width,"
                                " r.height]; })()")
                                 .toList();
    ASSERT_EQ(box.size(), 4);
    EXPECT_EQ(view->outlinedBox(),
              QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble())
                  .toAlignedRect());
    EXPECT_EQ(js("document.documentElement.outerHTML.indexOf('markwright')").toInt(), -1);
}

TEST_F(CaretLinkTest, NothingIsOutlinedWhereTheShownPageIsNotTheModelsOrFollowingIsOff) {
    // The page's script puts an element first in <body>: every path the
    // model gives now leads to another element, so nothing is outlined.
    load("<p>x</p><div>y</div>"
         "<script>document.body.insertBefore(document.createElement('section'),"
         " document.body.firstChild)</script>");
    waitForModel();
    caretAt("y<");
    QTest::qWait(600);
    EXPECT_EQ(litNames(), "");
    caretAt("x<");
    QTest::qWait(600);
    EXPECT_EQ(litNames(), "");

    load("<p>x</p><div>y</div>");
    waitForModel();
    caretAt("y<");
    ASSERT_TRUE(waitForLit("html/body/div"));
    // Typing: the model and the page on show are of the old text until the
    // next refresh, and nothing is outlined meanwhile.
    w->source().replaceSelection("z");
    EXPECT_TRUE(waitForLit(""));
    refreshAndWait();
    EXPECT_TRUE(waitForLit("html/body/div"));

    w->findChild<QAction*>("mnuFollowCaret")->setChecked(false);
    EXPECT_TRUE(waitForLit(""));
    EXPECT_EQ(w.settings.value("FollowCaret", ""), "0") << "remembered for the user";
}

TEST_F(CaretLinkTest, CtrlClickAndShowSourceSelectTheStartTagAndAPlainClickFollowsTheLink) {
    load(Page);
    waitForModel();
    const QString text = w->source().text();
    send("li#1", "click", true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return selected() == "<li>"; }, 10000));
    EXPECT_EQ(selectionAt(), text.indexOf("<li>b"));
    EXPECT_EQ(w->source().SendScintilla(QsciScintilla::SCI_GETCURRENTPOS),
              w->source().SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART))
        << "the caret at the start of the tag";
    // An implied <tbody> has no start tag: its table's is selected.
    send("tbody#1", "click", true);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return selectionAt() == text.indexOf("<table><tr><td>in"); }, 10000));
    EXPECT_EQ(selected(), "<table>");

    send("b#0", "contextmenu", false);
    view->showSourceOfContext();
    ASSERT_TRUE(QTest::qWaitFor([&] { return selected() == "<b>"; }, 10000));
    EXPECT_EQ(selectionAt(), text.indexOf("<b>"));

    // Once the text is edited the page on show is older than it: its paths
    // may lead elsewhere in the text, so nothing moves.
    w->source().setSelection(0, 0);
    w->source().replaceSelection(" ");
    send("li#0", "click", true);
    QTest::qWait(300);
    EXPECT_EQ(selectionAt(), 1);
    EXPECT_EQ(selected(), "");

    // Without Ctrl a click does what it always did.
    QFile other(w.docFolder() + "other.html");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("<p>other page");
    other.close();
    load("<a href=\"other.html\">go</a>");
    waitForLoad([&] { send("a#0", "click", false); });
    EXPECT_TRUE(view->shownFile().endsWith("other.html"));
}
