// What the preview actually shows, with the real web engine, offscreen.
#include "app/WebPreview.h"
#include "support/TestWindow.h"

#include <QEventLoop>
#include <QImage>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineHistory>

#include <csignal>

namespace {
constexpr int LoadTimeoutMs = 30000;

class PreviewE2e : public ::testing::Test {
  protected:
    PreviewE2e() : w(TestWindow::Ini::WithOpenPath, true) {
        view = qobject_cast<WebPreview*>(w->preview().widget());
        w->show();
    }

    // Runs the refresh and waits until the page has loaded.
    void refreshAndWait() {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        w->refreshPreview();
        ASSERT_TRUE(loaded.wait(LoadTimeoutMs)) << "the preview did not load";
        ASSERT_TRUE(loaded.first().first().toBool()) << "the preview failed to load";
    }

    void load(const QString& html) {
        w->source().setText(html);
        refreshAndWait();
    }

    QVariant js(const QString& script) {
        QVariant result;
        bool done = false;
        QEventLoop loop;
        view->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
            loop.quit();
        });
        QTimer::singleShot(LoadTimeoutMs, &loop, &QEventLoop::quit);
        if (!done) {
            loop.exec();
        }
        EXPECT_TRUE(done) << "script did not answer: " << script.toStdString();
        return result;
    }

    // Waits (with the event loop running) until the script answers `expected`.
    bool waitForJs(const QString& script, const QVariant& expected, int ms = 10000) {
        for (int waited = 0; waited < ms; waited += 50) {
            if (js(script) == expected) {
                return true;
            }
            QTest::qWait(50);
        }
        return false;
    }

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

    TestWindow w;
    WebPreview* view = nullptr;
};

QString tallPage(const QString& marker) {
    return "<html><body><p id=m>" + marker +
           "</p><div style='height:5000px;background:#eee'></div></body></html>";
}
} // namespace

TEST_F(PreviewE2e, ShowsTheTypedTextIncludingNonLatinCharactersWithoutACharset) {
    w->source().setText("<html><body><p id=t>start</p></body></html>");
    w->source().setSelection(static_cast<int>(QString("<html><body><p id=t>start").size()), 0);
    QTest::keyClicks(&w->source(), " typed");
    w->source().replaceSelection(QStringLiteral(" caf\u00e9 \u4e2d\u6587 ") +
                                 QString::fromUcs4(U"\U0001F600"));
    refreshAndWait();
    EXPECT_EQ(text("t"), QStringLiteral("start typed caf\u00e9 \u4e2d\u6587 ") +
                             QString::fromUcs4(U"\U0001F600"));
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
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    w.select(2);
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
    EXPECT_EQ(view->url().toLocalFile(), w.previewFile(2));

    w->findChild<QToolButton*>("Back")->click();
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
    EXPECT_EQ(view->url().toLocalFile(), w.previewFile(1));
    w->findChild<QToolButton*>("cmdNext")->click();
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
    EXPECT_EQ(view->url().toLocalFile(), w.previewFile(2));
}

// A refresh of the page on show keeps the reader's place and adds no
// history; a switch to another slot starts at the top.
TEST_F(PreviewE2e, RefreshKeepsTheScrollPositionAndTheHistory) {
    load(tallPage("one"));
    scrollTo(1200);
    const int entries = view->history()->count();

    w->source().setText(tallPage("two"));
    refreshAndWait();
    EXPECT_EQ(text("m"), "two");
    EXPECT_TRUE(waitForJs("window.scrollY", 1200)) << js("window.scrollY").toInt();
    EXPECT_EQ(view->history()->count(), entries);

    w->source().setText(tallPage("three"));
    refreshAndWait();
    EXPECT_TRUE(waitForJs("window.scrollY", 1200));
    EXPECT_EQ(view->history()->count(), entries);

    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    w.select(3);
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
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

    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    w.clock.advance(0.6);
    w->continuousRefreshTick();
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
    EXPECT_EQ(text("p"), "after");
}

// Content that arrives after the page has loaded (a late image, a script)
// grows the page; the reader's place is put back once it is there.
TEST_F(PreviewE2e, RefreshRestoresThePlaceAfterLateContentGrowsThePage) {
    const QString page = "<html><body><p id=m>late</p><script>"
                         "setTimeout(function() {"
                         "  var d = document.createElement('div');"
                         "  d.style.height = '5000px';"
                         "  document.body.appendChild(d);"
                         "}, 400);</script></body></html>";
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
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        w.open(path);
        ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
        EXPECT_EQ(text("t"), QStringLiteral("caf\u00e9 \u20ac"));
    }
}

namespace {
// A long page (parsed in several chunks, so it grows while it loads) that
// logs, at every frame, where it is scrolled and whether it is shown.
QString loggingPage(const QString& marker) {
    QString lines;
    for (int i = 0; i < 60000; ++i) {
        lines += QStringLiteral("<p>line %1</p>\n").arg(i);
    }
    return "<html><head><script>window.frameLog = [];"
           "requestAnimationFrame(function log() { var r = document.documentElement;"
           "  frameLog.push(window.scrollY + ':' + getComputedStyle(r).visibility);"
           "  requestAnimationFrame(log); });</script></head><body><p id=m>" +
           marker + "</p>" + lines + "</body></html>";
}
} // namespace

// No painted frame shows the page anywhere but where the reader left it,
// however long the page takes to grow to that place.
TEST_F(PreviewE2e, ARefreshNeverShowsThePageAnywhereButTheReadersPlace) {
    load(loggingPage("one"));
    const int place = js("document.documentElement.scrollHeight - 3 * window.innerHeight").toInt();
    scrollTo(place);
    for (const QString marker : {"two", "three", "four"}) {
        w->source().setText(loggingPage(marker));
        refreshAndWait();
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

TEST_F(PreviewE2e, EachSlotKeepsItsPlace) {
    load(tallPage("one"));
    scrollTo(2000);
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    w.select(2);
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
    w.select(1);
    ASSERT_TRUE(loaded.wait(LoadTimeoutMs));
    EXPECT_TRUE(waitForJs("window.scrollY", 2000)) << js("window.scrollY").toInt();
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
