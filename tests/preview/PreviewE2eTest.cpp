// What the preview actually shows, with the real web engine, offscreen.
#include "support/WebWindow.h"

#include <QImage>
#include <QSignalSpy>
#include <QWebEngineHistory>

#include <csignal>

namespace {
class PreviewE2e : public WebWindowTest {
  protected:
    // Scrolls the page to `y` and waits until the widget side, which the
    // engine tells asynchronously, knows it too.
    void scrollTo(int y) {
        js(QStringLiteral("window.scrollTo(0, %1)").arg(y));
        ASSERT_TRUE(waitForJs("window.scrollY", y));
        for (int i = 0; i < 100 && view->page()->scrollPosition().y() < y - 1; ++i) {
            QTest::qWait(20);
        }
    }

    QString text(const char* id) {
        return js(QStringLiteral("document.getElementById('%1').textContent").arg(id)).toString();
    }
};

QString tallPage(const QString& marker) {
    return testdata::text("pages/tall.html").replace("@MARKER@", marker);
}

// A long page (parsed in several chunks, so it grows while it loads) that
// logs, at every frame, where it is scrolled and whether it is shown.
QString loggingPage(const QString& marker) {
    QString lines;
    for (int i = 0; i < 60000; ++i) {
        lines += QStringLiteral("<p>line %1</p>\n").arg(i);
    }
    return testdata::text("pages/logging.html")
        .replace("@MARKER@", marker)
        .replace("@LINES@", lines);
}
} // namespace

TEST_F(PreviewE2e, ShowsTheTypedTextIncludingNonLatinCharactersWithoutACharset) {
    const QString more =
        QStringLiteral(" caf\u00e9 \u4e2d\u6587 ") + QString::fromUcs4(U"\U0001F600");
    w->source().setText("<html><body><p id=t>start</p></body></html>");
    w->source().setSelection(static_cast<int>(QString("<html><body><p id=t>start").size()), 0);
    QTest::keyClicks(&w->source(), " typed");
    w->source().replaceSelection(more);
    refreshAndWait();
    EXPECT_EQ(text("t"), "start typed" + more);
}

TEST_F(PreviewE2e, LoadsARelativeImageBesideTheDocument) {
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(w.docFolder() + "pic.png"));
    load("<html><body><img id=i src=\"pic.png\"></body></html>");
    EXPECT_EQ(js("document.getElementById('i').naturalWidth").toInt(), 7);
}

TEST_F(PreviewE2e, BackAndNextMoveThroughHistory) {
    refreshAndWait();
    const std::pair<const char*, int> steps[] = {{"", 2}, {"Back", 1}, {"cmdNext", 2}};
    for (const auto& [button, slot] : steps) {
        waitForLoad([&, button = button] {
            *button ? w->findChild<QToolButton*>(button)->click() : w.select(2);
        });
        EXPECT_EQ(view->shownFile(), w.previewFile(slot)) << button;
    }
}

// A refresh of the page on show keeps the reader's place and adds no
// history; a switch to another slot starts at the top, and each slot keeps
// its own place.
TEST_F(PreviewE2e, RefreshKeepsThePlaceAndTheHistoryAndEachSlotItsPlace) {
    load(tallPage("one"));
    scrollTo(1200);
    const int entries = view->history()->count();
    for (const char* marker : {"two", "three"}) {
        load(tallPage(marker));
        EXPECT_EQ(text("m"), marker);
        EXPECT_TRUE(waitForJs("window.scrollY", 1200)) << js("window.scrollY").toInt();
        EXPECT_EQ(view->history()->count(), entries);
    }
    waitForLoad([&] { w.select(3); });
    EXPECT_EQ(js("window.scrollY").toInt(), 0);
    waitForLoad([&] { w.select(1); });
    EXPECT_TRUE(waitForJs("window.scrollY", 1200)) << js("window.scrollY").toInt();
}

// The place kept for a refresh is for that refresh only: a link followed
// afterwards opens its page at the top, or at its #fragment.
TEST_F(PreviewE2e, ALinkFollowedAfterARefreshOpensAtItsTopOrFragment) {
    ASSERT_TRUE(
        writeBytes(w.docFolder() + "other.html",
                   tallPage("other").replace("<p id=m>", "<p id=m>x</p><p id=f>").toUtf8()));
    load(tallPage("one"));
    scrollTo(1200);
    load(tallPage("two"));
    ASSERT_TRUE(waitForJs("window.scrollY", 1200));
    waitForLoad([&] { js("location.href = 'other.html'"); });
    EXPECT_EQ(text("f"), "other");
    QTest::qWait(300);
    EXPECT_EQ(js("window.scrollY").toInt(), 0);
}

// With the continuous preview on, a change shows after the idle pause and
// not before.
TEST_F(PreviewE2e, ContinuousPreviewShowsAChangeAfterThePause) {
    load("<html><body><p id=p>before</p></body></html>");
    w->source().setText("<html><body><p id=p>after</p></body></html>");
    w.clock.advance(0.6);
    w->continuousRefreshTick();
    QTest::qWait(300);
    EXPECT_EQ(text("p"), "before");
    w.clock.advance(0.6);
    waitForLoad([&] { w->continuousRefreshTick(); });
    EXPECT_EQ(text("p"), "after");
}

// Content that arrives after the page has loaded (a late image, a script)
// grows the page; the reader's place is put back once it is there.
TEST_F(PreviewE2e, RefreshRestoresThePlaceAfterLateContentGrowsThePage) {
    const QString page = testdata::text("pages/late.html");
    load(page);
    ASSERT_TRUE(waitForJs("document.body.scrollHeight > 4000", true));
    scrollTo(1500);
    load(page);
    EXPECT_TRUE(waitForJs("window.scrollY", 1500)) << js("window.scrollY").toInt();
}

// A legacy page with no charset shows its accented letters, and a page that
// names its charset is read in it.
TEST_F(PreviewE2e, LegacyAndDeclaredCharsetsShowCorrectly) {
    QTemporaryDir site;
    for (const char* name : {"legacy.htm", "declared.htm", "utf8.htm"}) {
        SCOPED_TRACE(name);
        const QString path = site.filePath(name);
        ASSERT_TRUE(writeBytes(path, testdata::bytes(QStringLiteral("charsets/") + name)));
        waitForLoad([&] { w.open(path); });
        EXPECT_EQ(text("t"), QStringLiteral("caf\u00e9 \u20ac"));
    }
}

// No painted frame shows the page anywhere but where the reader left it,
// however long the page takes to grow to that place.
TEST_F(PreviewE2e, ARefreshNeverShowsThePageAnywhereButTheReadersPlace) {
    load(loggingPage("one"));
    const int place = js("document.documentElement.scrollHeight - 3 * window.innerHeight").toInt();
    scrollTo(place);
    for (const QString marker : {"two", "three", "four"}) {
        load(loggingPage(marker));
        ASSERT_TRUE(waitForJs("window.frameLog.length > 5", true));
        const QStringList frames = js("window.frameLog.join(' ')").toString().split(' ');
        const QStringList shown = frames.filter(":visible");
        EXPECT_FALSE(shown.isEmpty());
        for (const QString& frame : shown) {
            ASSERT_EQ(frame, QStringLiteral("%1:visible").arg(place))
                << frames.join(' ').toStdString();
        }
    }
}

// A renderer that dies leaves a message, not a blank pane; F5 recovers.
TEST_F(PreviewE2e, ADeadRendererIsToldAndTheNextRefreshRecovers) {
    load("<html><body><p id=t>alive</p></body></html>");
    const qint64 pid = view->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    QSignalSpy gone(view->page(), &QWebEnginePage::renderProcessTerminated);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    ASSERT_TRUE(gone.wait(LoadTimeoutMs));
    EXPECT_TRUE(view->notice().contains("F5")) << view->notice().toStdString();
    refreshAndWait();
    EXPECT_TRUE(view->notice().isEmpty());
    EXPECT_EQ(text("t"), "alive");
}

// After the renderer died on a page, the continuous preview loads only
// smaller pages and says that F5 shows the others, so a page too large for
// the engine does not kill it at every pause in typing.
TEST_F(PreviewE2e, AfterARendererDeathPagesAsLargeAreLeftToF5) {
    const QString page = "<html><body><p id=t>one</p></body></html>";
    load(page);
    QSignalSpy gone(view->page(), &QWebEnginePage::renderProcessTerminated);
    ::kill(static_cast<pid_t>(view->page()->renderProcessPid()), SIGKILL);
    ASSERT_TRUE(gone.wait(LoadTimeoutMs));
    const auto typeAndPause = [&](const QString& html) {
        w->source().setText(html);
        w.clock.advance(30);
        w->continuousRefreshTick();
    };
    waitForLoad([&] { typeAndPause("<p id=t>two</p>"); });
    EXPECT_EQ(text("t"), "two");
    QSignalSpy loads(view, &QWebEngineView::loadStarted);
    typeAndPause(QString(page).replace("one", "three"));
    QTest::qWait(300);
    EXPECT_EQ(loads.count(), 0);
    EXPECT_TRUE(view->notice().contains("F5")) << view->notice().toStdString();
    refreshAndWait();
    EXPECT_EQ(text("t"), "three");
    EXPECT_TRUE(view->notice().isEmpty());
}

// A large page changed inside one element is patched in place, with no load;
// where the browser built the page otherwise than its text nests, it is
// loaded in full instead. Either way the preview shows the new text.
TEST_F(PreviewE2e, ALargePageIsPatchedInPlaceOrLoadedWhereItCannotBe) {
    QString rows;
    for (int i = 0; i < 40000; ++i) {
        rows += QStringLiteral("<p>paragraph %1 of a large page</p>\n").arg(i);
    }
    const QString page =
        "<html><body>\n<div>" + rows + "</div>\n<p id=t>before</p>\n</body></html>";
    ASSERT_GE(page.size(), WebPreview::PatchFromBytes);
    load(page);
    QSignalSpy loads(view, &QWebEngineView::loadStarted);
    QSignalSpy shown(view, &WebPreview::refreshed);
    w->source().setText(QString(page).replace("before", "after"));
    w->refreshPreview();
    ASSERT_TRUE(shown.wait(LoadTimeoutMs));
    EXPECT_EQ(text("t"), "after");
    EXPECT_EQ(loads.count(), 0) << "patched in place";
    // The same bytes again (F5): told refreshed, with nothing loaded.
    w->refreshPreview();
    ASSERT_TRUE(shown.wait(LoadTimeoutMs));
    EXPECT_EQ(loads.count(), 0) << "nothing to load";
    // A <div> inside a <p> closes the paragraph in a browser.
    load(QString(page).replace("<p id=t>before</p>", "<p id=t><b id=u>x</b><div id=v>y</div></p>"));
    EXPECT_EQ(loads.count(), 1);
    EXPECT_EQ(text("u") + text("v"), "xy");
    EXPECT_EQ(js("document.body.childElementCount").toInt(), 4);

    // Written by hand, without the end tags a browser does without: patched
    // as well, read as the browser builds it.
    QString loose = "<title>t</title>\n";
    for (int i = 0; i < 40000; ++i) {
        loose += QStringLiteral("<p>paragraph %1 of a large page\n").arg(i);
    }
    loose += "<div id=t>before</div>\n<p>the end";
    load(loose);
    QSignalSpy looseLoads(view, &QWebEngineView::loadStarted);
    w->source().setText(QString(loose).replace("before", "after"));
    w->refreshPreview();
    ASSERT_TRUE(shown.wait(LoadTimeoutMs));
    EXPECT_EQ(text("t"), "after");
    EXPECT_EQ(looseLoads.count(), 0) << "patched in place";
}
