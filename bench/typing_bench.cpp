// CPU time of one typed character in documents of 20 KB, 2 MB and 20 MB.
// The change hook must do constant work, so the three should cost about the
// same.
#include "BenchWindow.h"
#include "editor/FindBar.h"
#include "editor/SourcePane.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
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

// A page made of short lines, or written as one single line (minified or
// generated HTML), where the caret line is the whole document.
QString pageOf(qsizetype bytes, bool oneLine) {
    QString text = documentOf(bytes);
    if (oneLine) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("  "));
    }
    return text;
}

// A shown window with `text` in its pane and the caret at `caret`.
struct ShownPage {
    ShownPage(const QString& text, qsizetype caret) {
        bench.window->show();
        pane.setText(text);
        pane.setSelection(static_cast<int>(caret), 0);
        pane.setFocus();
        bench.window->activateWindow();
        QApplication::processEvents();
    }
    BenchWindow bench{[](QWidget* parent) { return new NullPreview(parent); }};
    SourcePane& pane = bench.window->source();
};

// One key press and release, then the repaint that follows it.
void typeA(SourcePane& pane) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&pane, &press);
    QApplication::sendEvent(&pane, &release);
    QApplication::processEvents();
}

void typeOneCharacter(benchmark::State& state) {
    const QString text = pageOf(state.range(0), false);
    ShownPage page(text, text.size() / 2);
    for (auto _ : state) {
        typeA(page.pane);
    }
    state.SetLabel(std::to_string(state.range(0) / 1000) + " KB");
}

void typeKey(SourcePane& pane, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&pane, &press);
    QApplication::sendEvent(&pane, &release);
}

// From the key that begins a name to the completion list shown, in the
// middle of a large page: an element name after "<" (range 1 = 0) or a
// character reference after "&" (1).
void openCompletionList(benchmark::State& state) {
    const QString text = pageOf(state.range(0), false);
    ShownPage page(text, text.size() / 2);
    const bool reference = state.range(1) != 0;
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!reference) {
            typeKey(page.pane, Qt::Key_Less, QStringLiteral("<"));
        }
        QApplication::processEvents();
        state.ResumeTiming();
        if (reference) {
            typeKey(page.pane, Qt::Key_Ampersand, QStringLiteral("&"));
        } else {
            typeKey(page.pane, Qt::Key_D, QStringLiteral("d"));
        }
        QApplication::processEvents();
        state.PauseTiming();
        shown += page.pane.SendScintilla(SourcePane::SCI_AUTOCACTIVE) != 0 ? 1 : 0;
        page.pane.SendScintilla(SourcePane::SCI_AUTOCCANCEL);
        page.pane.undoOnce();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["shown"] = shown;
    state.SetLabel(std::to_string(state.range(0) / 1000) +
                   (reference ? " KB, after &" : " KB, after <"));
}

// Typed at the end of a page written as one line.
void typeAtTheEndOfOneLongLine(benchmark::State& state) {
    const QString text = pageOf(state.range(0), true);
    ShownPage page(text, text.size());
    for (auto _ : state) {
        typeA(page.pane);
    }
    state.SetLabel(std::to_string(state.range(0) / 1000) + " KB in one line");
}

// CPU used over one second of doing nothing with the caret at the end of
// such a line (a blinking caret repaints its line).
void idleAtTheEndOfOneLongLine(benchmark::State& state) {
    const QString text = pageOf(state.range(0), true);
    ShownPage page(text, text.size());
    for (auto _ : state) {
        QEventLoop idle;
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
    }
    state.SetLabel(std::to_string(state.range(0) / 1000) + " KB in one line, 1 s idle");
}

// Loading a text into the shown pane until it has painted, as one line and
// as the same bytes in short lines.
void loadAndPaint(benchmark::State& state) {
    ShownPage page(QString(), 0);
    const QString text = pageOf(state.range(0), state.range(1) != 0);
    for (auto _ : state) {
        page.pane.setText(text);
        page.pane.repaint();
        QApplication::processEvents();
    }
    state.SetLabel(std::to_string(state.range(0) / 1000) +
                   (state.range(1) != 0 ? " KB in one line" : " KB in short lines"));
}
// One Find Next with the find bar over 50 MB for a literal that occurs
// once near the end, with every match marked and counted.
void findBarOver50MB(benchmark::State& state) {
    SourcePane pane;
    FindBar bar(pane);
    pane.setText(documentOf(50 * 1000 * 1000) + QStringLiteral("needle"));
    bar.findField()->setText(QStringLiteral("needle"));
    for (auto _ : state) {
        pane.setSelection(0, 0);
        bar.findNext();
    }
    state.SetLabel(bar.status().toStdString());
}
} // namespace

BENCHMARK(openCompletionList)
    ->Args({10 * 1000 * 1000, 0})
    ->Args({10 * 1000 * 1000, 1})
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(findBarOver50MB)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(loadAndPaint)
    ->Args({20 * 1000 * 1000, 0})
    ->Args({20 * 1000 * 1000, 1})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(idleAtTheEndOfOneLongLine)
    ->Arg(20 * 1000 * 1000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

BENCHMARK(typeAtTheEndOfOneLongLine)
    ->Arg(200 * 1000)
    ->Arg(2 * 1000 * 1000)
    ->Arg(20 * 1000 * 1000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

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
