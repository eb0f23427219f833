// How many real pages a one-character edit patches in place rather than
// loads in full: patch_survey <page.html>...
//
// Each page gets one character typed into a text in its middle (the first
// letter after a '>' from the middle on); reported per planner: the pages it
// plans a patch for. The strict planner wants every element closed by its own
// end tag; the model's reads the page as a browser does.
#include "preview/PagePatch.h"

#include "support/ProjectNames.h"
#include <QFile>
#include <cctype>
#include <cstdio>

int main(int argc, char** argv) {
    int pages = 0;
    int edited = 0;
    int strict = 0;
    int either = 0;
    for (int i = 1; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray before = file.readAll();
        ++pages;
        qsizetype at = before.indexOf('>', before.size() / 2);
        while (at >= 0 && at + 1 < before.size() && !std::isalpha(uchar(before[at + 1]))) {
            at = before.indexOf('>', at + 1);
        }
        if (at < 0 || at + 1 >= before.size()) {
            continue;
        }
        ++edited;
        QByteArray after = before;
        after.insert(at + 2, 'x');
        const bool one = pagepatch::plan(before, after).has_value();
        const bool two = one || pagepatch::planFromModels(before, after).has_value();
        strict += one ? 1 : 0;
        either += two ? 1 : 0;
        if (qEnvironmentVariableIsSet("PATCH_SURVEY_LIST")) {
            std::printf("%s %s %s\n", one ? "strict" : "-", two ? "model" : "-", argv[i]);
        }
    }
    std::printf("%d pages, %d with text to edit: patched by the strict planner %d (%.0f %%), "
                "with the model's as well %d (%.0f %%)\n",
                pages, edited, strict, edited ? 100.0 * strict / edited : 0.0, either,
                edited ? 100.0 * either / edited : 0.0);
    return 0;
}
