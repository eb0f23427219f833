// Formatter throughput on realistic HTML (nested tags, attributes, comments,
// CR LF line ends, TAB indentation, runs of blanks), and F1 on a 10 MB
// selection in the window.
#include "BenchWindow.h"
#include "editor/EditorCommands.h"
#include "editor/Formatter.h"
#include "editor/SourcePane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
QString realisticHtml(qsizetype size) {
    const QString block =
        "<div class=\"section\" id=\"s1\">\r\n"
        "\t<!-- a section of the page -->\r\n"
        "\t<h2 style=\"color: #336699\">Heading   text</h2>\r\n"
        "\t<p>Some <b>bold</b> and <i>italic</i>    words, a <a "
        "href=\"page.html\">link</a>.</p>\r\n"
        "\t<ul>\r\n\t\t<li>One</li>\r\n\t\t<li>Two</li>\r\n\t</ul>\r\n"
        "\t<table border=\"1\"><tr><td width=\"50%\">cell</td><td>cell</td></tr></table>\r\n"
        "\t<img src=\"pic.gif\" alt=\"picture\"><br>\r\n"
        "</div>\r\n";
    QString text;
    text.reserve(size + block.size());
    while (text.size() < size) {
        text += block;
    }
    return text;
}

template <typename F> void throughput(benchmark::State& state, F formatter) {
    const QString text = realisticHtml(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatter(text));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void hierarchal(benchmark::State& s) {
    throughput(s, [](const QString& t) { return htmlformat::formatHierarchal(t); });
}
void simple(benchmark::State& s) {
    throughput(s, [](const QString& t) { return htmlformat::formatSimple(t); });
}
void compact(benchmark::State& s) {
    throughput(s, [](const QString& t) { return htmlformat::formatCompact(t); });
}
void replaceAll(benchmark::State& s) {
    throughput(s, [](const QString& t) { return htmlformat::replaceAll(t, "<td", "<th"); });
}
} // namespace

BENCHMARK(hierarchal)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(simple)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(compact)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(replaceAll)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    // F1 on a 10 MB selection in the window.
    {
        BenchWindow bench([](QWidget* parent) { return new NullPreview(parent); });
        FrmEdit& window = *bench.window;
        window.source().setText(realisticHtml(10 << 20));
        window.editor().selectAll();
        QElapsedTimer t;
        t.start();
        window.commands().run("mnuFormatHierarchal");
        std::printf("\nF1 on a 10 MB selection in the window: %.0f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
    }

    // The same files through a full HTML re-indenter, for reference.
    for (const int megabytes : {1, 10}) {
        const QString path = QStringLiteral("/tmp/markwright-format-bench-%1.html").arg(megabytes);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            continue;
        }
        file.write(realisticHtml(qsizetype(megabytes) << 20).toUtf8());
        file.close();
        const QString text = realisticHtml(qsizetype(megabytes) << 20);
        QElapsedTimer t;
        t.start();
        benchmark::DoNotOptimize(htmlformat::formatHierarchal(text));
        const double ours = static_cast<double>(t.nsecsElapsed()) / 1e6;
        QProcess tidy;
        tidy.setStandardOutputFile(QProcess::nullDevice());
        tidy.setStandardErrorFile(QProcess::nullDevice());
        t.restart();
        tidy.start("tidy", {"-i", "-q", "--wrap", "0", path});
        const bool ran = tidy.waitForFinished(600000) && tidy.exitStatus() == QProcess::NormalExit;
        const double theirs = static_cast<double>(t.nsecsElapsed()) / 1e6;
        if (ran) {
            std::printf("%2d MB: Hierarchal %.0f ms, tidy -i %.0f ms, ratio %.1f\n", megabytes,
                        ours, theirs, theirs / ours);
        } else {
            std::printf("%2d MB: Hierarchal %.0f ms, tidy not available\n", megabytes, ours);
        }
        QFile::remove(path);
    }
    benchmark::Shutdown();
    return 0;
}
