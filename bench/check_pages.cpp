// Runs the page checker over files and prints what it finds, one problem a
// line ("file:line:column: rule: message"), then how many pages had any and
// the time the checks took beside the parse. Usage:
//   check_pages [--hints] FILE...
// A file's links are looked up beside it, as for a saved page.
#include "html/HtmlModel.h"
#include "html/PageCheck.h"

#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    markwright::html::CheckOptions options;
    double parseSeconds = 0;
    double checkSeconds = 0;
    int pages = 0;
    int withProblems = 0;
    int problems = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (path == QLatin1String("--hints")) {
            options.obsoleteHints = true;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            continue;
        }
        const QByteArray page = file.readAll();
        options.folder = QFileInfo(path).absolutePath();
        const auto start = Clock::now();
        const auto model = markwright::html::HtmlModel::parse(page);
        const auto parsed = Clock::now();
        const auto found = markwright::html::checkPage(*model, page, options);
        const auto checked = Clock::now();
        parseSeconds += std::chrono::duration<double>(parsed - start).count();
        checkSeconds += std::chrono::duration<double>(checked - parsed).count();
        ++pages;
        withProblems += found->empty() ? 0 : 1;
        for (const auto& p : *found) {
            ++problems;
            std::printf("%s:%d:%d: %s: %s\n", argv[i], p.line, p.column,
                        markwright::html::ruleName(p.rule), p.message.toUtf8().constData());
        }
    }
    std::printf("%d pages, %d with problems, %d problems; parse %.3f s, checks %.3f s\n", pages,
                withProblems, problems, parseSeconds, checkSeconds);
    return 0;
}
