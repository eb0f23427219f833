// The caret's context and what the completion list offers there, as
// tests/data/typing/completion.txt has it, paths from a folder the test
// builds.
#include "editor/Completion.h"
#include "support/TestData.h"

using markwright::CaretContext;
using markwright::Completion;

namespace {
const char* kindName(CaretContext::Kind kind) {
    static const char* const names[] = {"Text",          "TagName",        "EndTagName",
                                        "AttributeName", "AttributeValue", "Reference",
                                        "Comment",       "RawText"};
    return names[static_cast<int>(kind)];
}
} // namespace

TEST(Completion, OffersWhatTheCaretsPlaceTakes) {
    QTemporaryDir site;
    for (const char* file : {"index.html", "about.html", "notes.txt", "css/site.css",
                             "images/logo.png", "images/photo.jpg"}) {
        const QString path = site.filePath(QString::fromLatin1(file));
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(writeBytes(path, "x"));
    }
    const QByteArray caret = QStringLiteral("\u2038").toUtf8();
    for (const QByteArrayList& row : testdata::table("typing/completion.txt")) {
        const qsizetype at = row[0].indexOf(caret);
        const QByteArray text = QByteArray(row[0]).remove(at, caret.size());
        const CaretContext context = CaretContext::at(text, at);
        EXPECT_STREQ(kindName(context.kind), row[1].constData()) << row[0].toStdString();
        const Completion completion = Completion::at(context, text, at, site.path());
        QStringList items = completion.items;
        if (completion.sorted) {
            items.sort(Qt::CaseInsensitive);
        }
        const QByteArray checks = row.size() > 2 ? row[2].trimmed() : QByteArray();
        if (checks.isEmpty()) {
            EXPECT_TRUE(items.isEmpty())
                << row[0].toStdString() << ": " << items.join(',').toStdString();
        }
        for (const QByteArray& check : checks.split(' ')) {
            const QString what = QString::fromUtf8(check.mid(1));
            if (check.startsWith('=')) {
                const QStringList wanted = what.split(',');
                EXPECT_EQ(items.mid(0, wanted.size()), wanted) << row[0].toStdString();
            } else if (check.startsWith('+')) {
                EXPECT_TRUE(items.contains(what))
                    << row[0].toStdString() << " lacks " << check.toStdString();
            } else if (check.startsWith('-')) {
                EXPECT_FALSE(items.contains(what))
                    << row[0].toStdString() << " has " << check.toStdString();
            }
        }
    }
}
