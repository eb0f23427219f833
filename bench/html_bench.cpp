// The HTML model on hand-written pages of 1, 10 and 50 MB: paragraphs
// without </p>, lists without </li>, tables without </td> and <tbody>,
// nested divs, CR LF line ends. Beside the parse time it reports what one
// plain pass over the same bytes takes (a checksum) and the ratio of the two,
// the model's size against the page's, and how far the parse raises the
// peak resident memory (gumbo's tree and the model together; the model's
// share is model_MB).
#include "html/HtmlModel.h"
#include "html/PageCheck.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>

namespace {
using markwright::html::HtmlModel;

QByteArray handWrittenPage(qsizetype size) {
    static const char* const words[] = {"the",   "quick", "brown", "fox",   "jumps", "over",
                                        "a",     "lazy",  "dog",   "while", "some",  "other",
                                        "words", "come",  "here",  "and",   "there", "again"};
    std::uint32_t seed = 12345;
    const auto sentence = [&](int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += words[(seed >> 16) % (sizeof(words) / sizeof(*words))];
            text += i + 1 < count ? " " : "";
        }
        return text;
    };
    QByteArray page = "<!DOCTYPE html>\r\n<html><head><title>A long page</title></head><body>\r\n";
    page.reserve(size + 4096);
    for (int section = 1; page.size() < size; ++section) {
        const QByteArray n = QByteArray::number(section);
        page += "<div class=\"section\" id=\"s" + n + "\">\r\n<h2>Part " + n + "</h2>\r\n";
        for (int i = 0; i < 3; ++i) {
            page += "<p>" + sentence(12) + " <b>" + sentence(2) + "</b> " + sentence(8) +
                    " <a href=\"page" + n + ".html\">" + sentence(2) + "</a>.\r\n";
        }
        page += "<ul>\r\n";
        for (int i = 0; i < 4; ++i) {
            page += "<li>" + sentence(4) + "\r\n";
        }
        page += "</ul>\r\n<table border=1>\r\n";
        for (int row = 0; row < 3; ++row) {
            page += "<tr><td>" + sentence(2) + "<td>" + sentence(2) + "<td>" + sentence(2) + "\r\n";
        }
        page += "</table>\r\n<div><div><div>" + sentence(5) + "</div></div></div>\r\n</div>\r\n";
    }
    page += "</body></html>\r\n";
    return page;
}

std::uint64_t checksum(const QByteArray& page) {
    std::uint64_t sum = 0;
    for (const char c : page) {
        sum = sum * 31 + static_cast<unsigned char>(c);
    }
    return sum;
}

// The process's peak resident memory in bytes, after it was last reset.
qint64 peakRss() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
        }
    }
    return 0;
}

void resetPeakRss() {
    QFile refs("/proc/self/clear_refs");
    if (refs.open(QIODevice::WriteOnly)) {
        refs.write("5");
    }
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void parse(benchmark::State& state) {
    const QByteArray page = handWrittenPage(state.range(0) << 20);
    const double megabytes = double(page.size()) / (1 << 20);

    // One parse on its own for the memory figures.
    resetPeakRss();
    const qint64 before = peakRss();
    qint64 modelBytes = 0;
    int elements = 0;
    {
        const std::optional<HtmlModel> model = HtmlModel::parse(page);
        modelBytes = model->memoryBytes();
        elements = model->size();
    }
    const qint64 growth = peakRss() - before;

    auto best = std::chrono::steady_clock::duration::max();
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(checksum(page));
        best = std::min(best, std::chrono::steady_clock::now() - start);
    }

    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(HtmlModel::parse(page));
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    const double perParse = total / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["page_MB"] = megabytes;
    state.counters["elements"] = elements;
    state.counters["read_ms"] = seconds(best) * 1e3;
    state.counters["parse_per_read"] = perParse / seconds(best);
    state.counters["model_MB"] = double(modelBytes) / (1 << 20);
    state.counters["model_per_page"] = double(modelBytes) / double(page.size());
    state.counters["peak_growth_MB"] = double(growth) / (1 << 20);
}
// The problem checks a page gets after each pause in typing, on the worker
// after the parse: their time alone (check_ms) and with the parse
// (worker_ms), on the same hand-written pages, which are valid HTML (so
// problems must be 0), and on the same page with a mistake every 400 bytes.
void check(benchmark::State& state) {
    QByteArray page = handWrittenPage(state.range(0) << 20);
    if (state.range(1) != 0) {
        for (qsizetype at = 200; at < page.size(); at += 400) {
            const qsizetype tag = page.indexOf("<b>", at);
            if (tag < 0) {
                break;
            }
            page[tag + 1] = 'q'; // <q>... never closed
            at = tag;
        }
    }
    const std::optional<HtmlModel> model = HtmlModel::parse(page);
    markwright::html::CheckOptions options;
    std::size_t problems = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto found = markwright::html::checkPage(*model, page, options);
        total += seconds(std::chrono::steady_clock::now() - start);
        problems = found->size();
    }
    const auto start = std::chrono::steady_clock::now();
    const auto again = HtmlModel::parse(page);
    benchmark::DoNotOptimize(markwright::html::checkPage(*again, page, options));
    const double worker = seconds(std::chrono::steady_clock::now() - start);
    state.counters["page_MB"] = double(page.size()) / (1 << 20);
    state.counters["problems"] = double(problems);
    state.counters["check_ms"] = total / double(state.iterations()) * 1e3;
    state.counters["worker_ms"] = worker * 1e3;
}
} // namespace

BENCHMARK(parse)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(check)->Args({1, 0})->Args({10, 0})->Args({1, 1})->Args({10, 1})->Unit(
    benchmark::kMillisecond);

BENCHMARK_MAIN();
