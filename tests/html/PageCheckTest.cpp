// The page checker: each deliberate mistake of tests/data/checks/mistakes.txt
// is found where it stands and nothing else is; valid pages (hand-written
// ones covering every end tag HTML lets a page leave out, and real manuals)
// get no report at all; the markup the insertion commands write is no
// problem unless obsolete markup is asked about.
#include "html/PageCheck.h"
#include "core/PageTemplate.h"
#include "html/HtmlModel.h"
#include "insert/DropDownMenu.h"
#include "insert/FontTags.h"
#include "insert/Forms.h"
#include "insert/StyleSnippets.h"
#include "insert/Tables.h"
#include "support/TestData.h"

#include <QDirIterator>

using markwright::html::CheckOptions;
using markwright::html::checkPage;
using markwright::html::HtmlModel;
using markwright::html::Problem;

namespace {

// "rule line column" for each problem of `page`.
QByteArrayList found(const QByteArray& page, const CheckOptions& options,
                     QStringList* messages = nullptr) {
    const std::optional<HtmlModel> model = HtmlModel::parse(page);
    const std::optional<std::vector<Problem>> problems = checkPage(*model, page, options);
    QByteArrayList out;
    for (const Problem& p : *problems) {
        out.append(QByteArray(markwright::html::ruleName(p.rule)) + ' ' +
                   QByteArray::number(p.line) + ' ' + QByteArray::number(p.column));
        if (messages) {
            messages->append(p.message);
        }
    }
    return out;
}

// A case of the mistakes table: "=== name", optional "files:" and "hints:"
// lines, the page, "--- expect", then one "rule line column" a line.
struct Case {
    QByteArray name;
    QList<QByteArray> files;
    bool hints = false;
    QByteArray page;
    QByteArrayList expected;
};

std::vector<Case> mistakeCases() {
    std::vector<Case> cases;
    enum { Outside, Head, Page, Expect } state = Outside;
    for (const QByteArray& line : testdata::bytes("checks/mistakes.txt").split('\n')) {
        if (line.startsWith("=== ")) {
            cases.push_back({line.mid(4).trimmed(), {}, false, {}, {}});
            state = Head;
            continue;
        }
        if (state == Head && line.startsWith("files:")) {
            cases.back().files = line.mid(6).simplified().split(' ');
            continue;
        }
        if (state == Head && line.startsWith("hints:")) {
            cases.back().hints = line.mid(6).trimmed() == "on";
            continue;
        }
        if (state == Head || state == Page) {
            if (line.startsWith("--- expect")) {
                state = Expect;
            } else {
                state = Page;
                cases.back().page += line + '\n';
            }
            continue;
        }
        if (state == Expect && !line.trimmed().isEmpty() && !line.startsWith('#')) {
            cases.back().expected.append(line.simplified());
        }
    }
    return cases;
}

QByteArrayList sorted(QByteArrayList list) {
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

TEST(PageCheck, FindsEachMistakeWhereItStandsAndNothingElse) {
    const std::vector<Case> cases = mistakeCases();
    ASSERT_GT(cases.size(), 30U);
    int mistakes = 0;
    for (const Case& c : cases) {
        QTemporaryDir folder;
        for (const QByteArray& file : c.files) {
            const QString path = folder.filePath(QString::fromUtf8(file));
            QDir().mkpath(QFileInfo(path).absolutePath());
            ASSERT_TRUE(writeBytes(path, "x"));
        }
        CheckOptions options;
        options.folder = folder.path();
        options.obsoleteHints = c.hints;
        QStringList messages;
        const QByteArrayList problems = found(c.page, options, &messages);
        EXPECT_EQ(sorted(problems).join('\n').toStdString(),
                  sorted(c.expected).join('\n').toStdString())
            << c.name.toStdString() << "\n"
            << messages.join('\n').toStdString();
        mistakes += static_cast<int>(c.expected.size());
    }
    EXPECT_GT(mistakes, 50);
}

TEST(PageCheck, ValidPagesGetNoReport) {
    // Copied manuals whose local links lead to pages not copied with them.
    QByteArrayList dangling;
    for (const QByteArrayList& row : testdata::table("checks/valid/manuals/DANGLING.txt")) {
        dangling.append(row[0].trimmed());
    }
    int pages = 0;
    QDirIterator it(QStringLiteral(TEST_DATA_DIR "/checks/valid"), {QStringLiteral("*.html")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // Pages written in markup HTML no longer has: valid but for that.
        const bool obsolete = path.contains(QLatin1String("/obsolete/"));
        CheckOptions options;
        if (!obsolete && !dangling.contains(QFileInfo(path).fileName().toUtf8())) {
            options.folder = QFileInfo(path).absolutePath();
        }
        QStringList messages;
        EXPECT_EQ(found(readBytes(path), options, &messages).join('\n').toStdString(), "")
            << path.toStdString() << "\n"
            << messages.join('\n').toStdString();
        if (!obsolete) {
            options.obsoleteHints = true;
            EXPECT_EQ(found(readBytes(path), options).join('\n').toStdString(), "")
                << path.toStdString();
        }
        ++pages;
    }
    EXPECT_GT(pages, 20);
}

// The insertion commands write obsolete markup on purpose (<font>, border=):
// it is only pointed out when asked for. What else the checker finds in
// their texts, each put in a new page, is listed in checks/inserted.txt:
// open tags the user closes after typing, lone end tags, and a few real
// slips of the texts themselves (misnested <strong><em>), never more.
TEST(PageCheck, InsertedMarkupHasOnlyItsKnownProblems) {
    std::vector<std::pair<QByteArray, QString>> texts;
    for (const auto* list : {&markwright::fontSnippets(), &markwright::formSnippets(),
                             &markwright::styleSnippets(), &markwright::dropDownSnippets()}) {
        for (const auto& snippet : *list) {
            texts.emplace_back(snippet.command, snippet.text);
        }
    }
    texts.emplace_back("table 3x2", markwright::tableBlock(3, 2));
    // The page template writes <body> twice (browsers merge the two): that
    // is its one problem.
    const QString blank = markwright::pageTemplate();
    EXPECT_EQ(found(blank.toUtf8(), {}), QByteArrayList{"stray-start-tag 11 1"});
    QByteArrayList report;
    int hinted = 0;
    for (const auto& [command, text] : texts) {
        QString page = blank;
        page.insert(page.indexOf(QLatin1String("</body>")), text);
        CheckOptions options;
        for (const QByteArray& problem : found(page.toUtf8(), options)) {
            if (problem != "stray-start-tag 11 1") {
                report.append(command + ": " + problem);
            }
        }
        options.obsoleteHints = true;
        const QByteArrayList withHints = found(page.toUtf8(), options);
        hinted += std::any_of(withHints.begin(), withHints.end(),
                              [](const QByteArray& p) { return p.startsWith("obsolete "); });
    }
    QByteArrayList expected;
    for (const QByteArrayList& row : testdata::table("checks/inserted.txt")) {
        expected.append(row[0]);
    }
    EXPECT_EQ(report.join('\n').toStdString(), expected.join('\n').toStdString());
    EXPECT_GT(hinted, 5);
}

// What a check of a 10 MB page may be given up on: a newer text is waiting.
TEST(PageCheck, GivesUpWhenCancelled) {
    const QByteArray page = "<div><span>x</div>";
    const std::optional<HtmlModel> model = HtmlModel::parse(page);
    std::atomic<bool> cancel{true};
    EXPECT_FALSE(checkPage(*model, page, CheckOptions(), &cancel).has_value());
}
