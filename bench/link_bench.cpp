// What the link between the caret and the preview costs, for one page size,
// in a process of its own: link_bench <kilobytes>.
//
// A hand-written page (paragraphs and list items without end tags, tables
// without tbody) is shown in the real preview, offscreen, and its model made.
// Reported: how long the model took to come after the page was loaded; the
// GUI thread's time per caret move (the move and everything it sets off,
// averaged over 400 moves to random places, with the model and without);
// the time to find the element at the caret and its path; and, once the
// caret rests, the time from the end of the pause until the renderer has the
// element outlined, for an element in view and for one it scrolls to.
#include "BenchWindow.h"
#include "editor/SourcePane.h"
#include "html/HtmlModel.h"
#include "preview/CaretLink.h"
#include "preview/WebPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>
#include <QWebEngineScript>
#include <cstdio>
#include <memory>

namespace {
QByteArray handWritten(qsizetype kilobytes) {
    QByteArray bytes = "<title>A hand-written page</title>\n";
    for (int i = 0; bytes.size() < kilobytes * 1000; ++i) {
        bytes += "<h2>Part " + QByteArray::number(i) + "</h2>\n<p>A paragraph with <b>bold</b> " +
                 "and <a href=\"#p\">a link</a>\n<p>Another one\n<ul><li>one<li>two</ul>\n" +
                 "<table><tr><td>a<td>b<tr><td>c<td>d</table>\n";
    }
    return bytes;
}

void waitFor(const std::function<bool()>& done, int ms = 600000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

QVariant ask(WebPreview& view, const QString& script) {
    // Shared with the callback, which may come after a wait given up on.
    auto answer = std::make_shared<std::pair<bool, QVariant>>();
    view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                               [answer](const QVariant& value) { *answer = {true, value}; });
    waitFor([&] { return answer->first; });
    return answer->second;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    const qsizetype kilobytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000;
    BenchWindow bench([](QWidget* parent) { return new WebPreview(parent); });
    FrmEdit& window = *bench.window;
    auto& view = *qobject_cast<WebPreview*>(window.preview().widget());
    window.show();
    SourcePane& pane = window.source();

    bool loaded = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&] { loaded = true; });
    pane.setText(QString::fromUtf8(handWritten(kilobytes)));
    window.refreshPreview();
    waitFor([&] { return loaded; });
    QElapsedTimer sinceLoad;
    sinceLoad.start();
    waitFor([&] { return pane.pageModel() != nullptr; });
    const double modelSeconds = sinceLoad.elapsed() / 1000.0;

    // The page laid out once, as it is by the time anyone reads it.
    ask(view, "document.body.offsetHeight");

    // Caret moves, each with what it sets off on the GUI thread, with the
    // model and without it (tag marks from the scan of the text then).
    const long length = pane.SendScintilla(SourcePane::SCI_GETLENGTH);
    const std::shared_ptr<const html::HtmlModel> model = pane.pageModel();
    constexpr int Moves = 400;
    const auto moves = [&] {
        QElapsedTimer moving;
        moving.start();
        for (int i = 0; i < Moves; ++i) {
            const auto at = static_cast<unsigned long>(
                QRandomGenerator::global()->bounded(static_cast<qint64>(length)));
            pane.SendScintilla(SourcePane::SCI_GOTOPOS, at);
            QCoreApplication::processEvents();
        }
        return static_cast<double>(moving.nsecsElapsed()) / 1e6 / Moves;
    };
    pane.setPageModel(nullptr);
    const double withoutModelMs = moves();
    pane.setPageModel(model);
    const double perMoveMs = moves();
    // What the link works out when the caret rests: the element and its path.
    QElapsedTimer finding;
    finding.start();
    for (int i = 0; i < Moves; ++i) {
        const int element = model->innermostAt(QRandomGenerator::global()->bounded(qint64(length)));
        const auto path = model->path(element);
        const auto names = model->pathNames(element);
    }
    const double findMs = static_cast<double>(finding.nsecsElapsed()) / 1e6 / Moves;

    // The outline drawn once already (its host made) at the top of the page.
    pane.SendScintilla(SourcePane::SCI_GOTOPOS, 40UL);
    waitFor([&] { return !view.outlinedBox().isEmpty(); }, 60000);
    // The caret rests in a bold element in the middle of the page.
    const long bold = static_cast<long>(pane.bytes().toByteArray().indexOf("<b>", length / 2));
    view.highlight({});
    pane.SendScintilla(SourcePane::SCI_GOTOPOS, static_cast<unsigned long>(bold + 3));
    QElapsedTimer lighting;
    lighting.start();
    waitFor([&] { return !view.outlinedBox().isEmpty(); }, 30000);
    const auto litMs = static_cast<double>(lighting.elapsed() - CaretLink::CaretPauseMs);
    // Then in the next paragraph, in view already: no scrolling.
    ask(view, "1"); // the renderer done with the scroll
    const long next = static_cast<long>(pane.bytes().toByteArray().indexOf("<a ", bold));
    view.highlight({});
    pane.SendScintilla(SourcePane::SCI_GOTOPOS, static_cast<unsigned long>(next + 3));
    lighting.restart();
    waitFor([&] { return !view.outlinedBox().isEmpty(); }, 30000);
    const auto inViewMs = static_cast<double>(lighting.elapsed() - CaretLink::CaretPauseMs);
    std::printf("%6lld KB: model %5.2f s after the load | caret move on the GUI thread %6.3f ms "
                "(%6.3f ms without the model), element and path %7.4f ms | outlined %5.0f ms "
                "after the pause (%5.0f ms when out of view)\n",
                static_cast<long long>(kilobytes), modelSeconds, perMoveMs, withoutModelMs, findMs,
                inViewMs, litMs);
    return 0;
}
