// Start-up timing: from process start (as the kernel recorded it) and from
// main() to the main window shown, and to the first preview page loaded.
#include "BenchWindow.h"
#include "preview/WebPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {
// Milliseconds since this process was started, from /proc (Linux only);
// -1 where that is not available.
double msSinceProcessStart() {
    QFile stat("/proc/self/stat");
    QFile uptime("/proc/uptime");
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray s = stat.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    const double up = uptime.readAll().split(' ').value(0).toDouble();
    return (up - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}
} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    BenchWindow bench([](QWidget* parent) { return new WebPreview(parent); });
    FrmEdit& window = *bench.window;
    auto* view = qobject_cast<WebPreview*>(window.preview().widget());
    window.show();
    QApplication::processEvents();
    const double shownMain = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
    const double shownProcess = msSinceProcessStart();

    // The continuous preview shows the first page once the start-up text has
    // been idle for over a second; the first load shows how soon that is.
    double loadedMain = -1;
    double loadedProcess = -1;
    QObject::connect(view, &QWebEngineView::loadFinished, &app, [&] {
        loadedMain = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
        loadedProcess = msSinceProcessStart();
        app.quit();
    });
    QTimer::singleShot(30000, &app, &QApplication::quit);
    app.exec();

    std::printf("window shown:          %8.1f ms after main, %8.1f ms after process start\n",
                shownMain, shownProcess);
    std::printf("first preview loaded:  %8.1f ms after main, %8.1f ms after process start\n",
                loadedMain, loadedProcess);
    return loadedMain < 0 ? 1 : 0;
}
