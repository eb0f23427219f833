// Open and Save through the real commands for one file size, in a process
// of its own so that its peak memory can be read: file_bench <megabytes>.
#include "BenchWindow.h"
#include "core/BusyGate.h"
#include "editor/SourcePane.h"
#include "files/DocumentFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 1;
    BenchWindow bench([](QWidget* parent) { return new NullPreview(parent); });
    FrmEdit& window = *bench.window;

    const QString path = bench.dir.filePath("page.htm");
    {
        QByteArray bytes;
        const QByteArray line = "<p>A line of a large page, caf\xC3\xA9 and more text.</p>\r\n";
        bytes.reserve(qsizetype(megabytes) << 20);
        while (bytes.size() < (qsizetype(megabytes) << 20)) {
            bytes += line;
        }
        docfile::write(path, bytes);
    }
    const long baseline = peakMegabytes();

    QElapsedTimer t;
    t.start();
    const docfile::ReadResult read = docfile::read(path);
    const double readMs = ms(t);

    // The longest stretch the event loop could not run during Open: how long
    // the window stood frozen.
    QTimer ticker;
    QElapsedTimer sinceTick;
    double longestStall = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, ms(sinceTick));
        sinceTick.restart();
    });
    ticker.start(1);
    QApplication::processEvents();
    bench.prompts.nextFile = path;
    t.restart();
    sinceTick.start();
    window.commands().run("mnuFileOpen");
    // The file is read on a worker: Open is done once the gate is free.
    while (markwright::BusyGate::held() || markwright::BusyGate::waiting()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    longestStall = std::max(longestStall, ms(sinceTick));
    const double openMs = ms(t);
    ticker.stop();

    window.source().replaceSelection("x");
    t.restart();
    window.commands().run("mnuFileSave");
    const double saveMs = ms(t);

    std::printf("%4d MB: read alone %7.1f ms, Open %7.1f ms (window frozen at most %6.1f ms), "
                "Save %7.1f ms, peak memory %ld MB (%ld MB before opening)\n",
                megabytes, readMs, openMs, longestStall, saveMs, peakMegabytes(), baseline);
    return read.ok ? 0 : 1;
}
