// CPU time of one typed character in documents of 20 KB, 2 MB and 20 MB.
// The change hook must do constant work, so the three should cost about the
// same.
#include "BenchWindow.h"
#include "editor/SourcePane.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

namespace {
QString documentOf(qsizetype bytes) {
    const QString line = QStringLiteral("<p>Some paragraph text with <b>markup</b> in it.</p>\r\n");
    QString text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) {
        text += line;
    }
    return text;
}

void typeOneCharacter(benchmark::State& state) {
    BenchWindow bench([](QWidget* parent) { return new NullPreview(parent); });
    FrmEdit& window = *bench.window;
    window.show();
    SourcePane& pane = window.source();
    pane.setText(documentOf(state.range(0)));
    pane.setSelection(static_cast<int>(pane.text().size() / 2), 0);
    QApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&pane, &press);
        QApplication::sendEvent(&pane, &release);
        // Let the pane repaint, as it would between two keystrokes.
        QApplication::processEvents();
    }
    state.SetLabel(std::to_string(state.range(0) / 1000) + " KB");
}
} // namespace

BENCHMARK(typeOneCharacter)
    ->Arg(20 * 1000)
    ->Arg(2 * 1000 * 1000)
    ->Arg(20 * 1000 * 1000)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
