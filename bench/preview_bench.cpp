// What a one-character edit costs the preview, for one page size, in a
// process of its own: preview_bench <kilobytes> [patch|load].
//
// The page is shown in the real preview, offscreen; then one character is
// typed into a paragraph in its middle and the preview refreshed. Reported:
// the renderer's CPU and its peak memory for the refresh, this process's CPU,
// the longest the window stood frozen, and the wall time until the new page
// is laid out. "load" turns patching in
// place off, so every refresh loads the whole page, as a browser's reload does.
#include "preview/WebPreview.h"

#include "support/ProjectNames.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {
// CPU seconds (user and system) of process `pid` ("self" for this one).
double cpuSeconds(const QString& pid) {
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) /
           static_cast<double>(sysconf(_SC_CLK_TCK));
}

// A field of /proc/<pid>/status, in megabytes.
double statusMegabytes(qint64 pid, const char* field) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    return 0;
}

// Waits until the renderer has used no CPU for a while: its work for the
// refresh (layout, painting) is done.
void settle(qint64 pid) {
    double last = cpuSeconds(QString::number(pid));
    for (int quiet = 0, i = 0; quiet < 5 && i < 600; ++i) {
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
        const double now = cpuSeconds(QString::number(pid));
        quiet = now - last < 0.005 ? quiet + 1 : 0;
        last = now;
    }
}

QByteArray page(qsizetype kilobytes, int edited) {
    QByteArray bytes = "<!DOCTYPE html>\n<html><head><title>A large page</title></head>\n<body>\n";
    for (int i = 0; bytes.size() < kilobytes * 1000; ++i) {
        bytes += "<p>Paragraph " + QByteArray::number(i) + " of a large page, with <b>some</b> " +
                 "markup and caf\xC3\xA9 in it.</p>\n";
    }
    bytes += "</body></html>\n";
    // One character typed into the paragraph in the middle.
    const qsizetype at = bytes.indexOf("</b>", bytes.size() / 2);
    if (edited > 0) {
        bytes.insert(at, QByteArray(edited, 'x'));
    }
    return bytes;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    const qsizetype kilobytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 100;
    const bool patch = argc <= 2 || QByteArray(argv[2]) != "load";

    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    WebPreview view;
    view.setPatchInPlace(patch);
    view.resize(800, 900);
    view.show();
    bool shown = false;
    bool gone = false;
    QObject::connect(&view, &WebPreview::refreshed, [&] { shown = true; });
    QObject::connect(view.page(), &QWebEnginePage::renderProcessTerminated, [&] { gone = true; });

    auto show = [&](const QByteArray& bytes) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        shown = false;
        QElapsedTimer wall;
        wall.start();
        QEventLoop waiting;
        const QMetaObject::Connection done =
            QObject::connect(&view, &WebPreview::refreshed, &waiting, &QEventLoop::quit);
        const QMetaObject::Connection died = QObject::connect(
            view.page(), &QWebEnginePage::renderProcessTerminated, &waiting, &QEventLoop::quit);
        QTimer::singleShot(300000, &waiting, &QEventLoop::quit);
        view.navigate(path);
        if (!shown && !gone) {
            waiting.exec();
        }
        QObject::disconnect(done);
        QObject::disconnect(died);
        // Laid out: the page answers a question that needs its layout.
        QEventLoop loop;
        view.page()->runJavaScript("document.body ? document.body.offsetHeight : 0",
                                   [&](const QVariant&) { loop.quit(); });
        QTimer::singleShot(300000, &loop, &QEventLoop::quit);
        loop.exec();
        return wall.elapsed() / 1000.0;
    };

    const double firstSeconds = show(page(kilobytes, 0));
    const qint64 renderer = view.page()->renderProcessPid();
    if (gone || renderer <= 0) {
        std::printf("%6lld KB %-5s the renderer died showing the page\n",
                    static_cast<long long>(kilobytes), patch ? "patch" : "load");
        return 1;
    }
    settle(renderer);
    // Peak memory counts from here (writing 5 to clear_refs resets it).
    QFile reset(QStringLiteral("/proc/%1/clear_refs").arg(renderer));
    if (reset.open(QIODevice::WriteOnly)) {
        reset.write("5");
        reset.close();
    }
    const QByteArray edited = page(kilobytes, 1);
    const double rendererBefore = cpuSeconds(QString::number(renderer));
    const double selfBefore = cpuSeconds("self");
    // The longest the event loop could not run during the edit's refresh:
    // how long the window stood frozen.
    QTimer ticker;
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    sinceTick.start();
    ticker.start(1);
    const double editSeconds = show(edited);
    ticker.stop();
    settle(renderer);
    const double rendererCpu = cpuSeconds(QString::number(renderer)) - rendererBefore;
    const double selfCpu = cpuSeconds("self") - selfBefore;
    std::printf("%6lld KB %-5s first show %6.2f s | edit: shown in %6.3f s, renderer CPU %6.3f s, "
                "renderer peak %6.0f MB, this process CPU %6.3f s, longest stall %5lld ms%s\n",
                static_cast<long long>(kilobytes), patch ? "patch" : "load", firstSeconds,
                editSeconds, rendererCpu, statusMegabytes(renderer, "VmHWM:"), selfCpu,
                static_cast<long long>(longestStall), gone ? " (the renderer died)" : "");
    return gone ? 1 : 0;
}
