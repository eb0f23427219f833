#include "support/Scenario.h"

#include "app/StatusPanels.h"
#include "documents/FileCommands.h"
#include "editor/EditorCommands.h"
#include "frames/FramesCommand.h"
#include "insert/InsertCommands.h"
#include "support/TestWindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QRegularExpression>
#include <QToolBar>
#include <functional>
#include <map>

namespace {
using Row = QStringList;

Prompts::Answer answer(const QString& word) {
    return word == "yes" ? Prompts::Answer::Yes
                         : (word == "no" ? Prompts::Answer::No : Prompts::Answer::Cancel);
}
QString last(const QStringList& list) {
    return list.value(list.size() - 1);
}
} // namespace

void runScenarios(const QString& name) {
    std::unique_ptr<TestWindow> t;
    std::unique_ptr<QTemporaryDir> site;
    QByteArrayList raw; // the row's fields as bytes, for file contents
    const auto w = [&]() -> FrmEdit& { return **t; };
    const auto pane = [&]() -> SourcePane& { return w().source(); };
    const auto docs = [&]() -> DocumentSlots& { return w().documents(); };
    const auto ran = [&] {
        waitUntilIdle();
        EXPECT_TRUE(t->prompts.allShown()) << "a prompt was not shown";
    };
    const auto unchanged = [&] {
        for (int n = 1; n <= DocumentSlots::Count; ++n) {
            docs().setChanged(n, false);
        }
    };
    const auto trigger = [&](QAction* action) {
        ASSERT_TRUE(action && action->isEnabled()) << "no such item, or disabled";
        action->trigger();
        ran();
    };
    // Runs the insertion command over "0123456789" with "34" selected: the
    // selection is replaced, the caret ends after the text, only the current
    // slot is marked changed, and the command does not refresh the preview.
    const auto insert = [&](const QString& command, const QString& text) {
        pane().setText("0123456789");
        pane().setSelection(3, 2);
        unchanged();
        const auto navigations = t->recording->navigations.size();
        trigger(w().menuBar()->findChild<QAction*>(command));
        EXPECT_EQ(pane().text(), "012" + text + "56789");
        EXPECT_EQ(pane().selectionStart(), 3 + text.size());
        EXPECT_EQ(pane().selectionLength(), 0);
        EXPECT_EQ(t->changed(), QString::number(w().currentSlot()));
        EXPECT_EQ(t->recording->navigations.size(), navigations) << "no refresh by the command";
    };
    const std::map<QString, std::function<void(const Row&)>> steps = {
        {"select", [&](auto& f) { t->select(f[1].toInt()); }},
        {"if-missing", [&](auto&) {}},
        {"text", [&](auto& f) { pane().setText(f[1]); }},
        {"caret", [&](auto& f) { pane().setSelection(f[1].toInt(), f.value(2).toInt()); }},
        {"type", [&](auto& f) { pane().replaceSelection(f[1]); }},
        {"keys", [&](auto& f) { QTest::keyClicks(&pane(), f[1]); }},
        {"undo", [&](auto&) { pane().undoOnce(); }},
        {"run", [&](auto& f) { t->run(qPrintable(f[1])), ran(); }},
        {"press", [&](auto& f) { t->press(QKeySequence(f[1])[0]), ran(); }},
        {"insert", [&](auto& f) { insert(f[1], f.value(2)); }},
        {"insert-file", [&](auto& f) { insert(f[1], testdata::text(f[2])); }},
        {"menu", [&](auto& f) { trigger(w().menuBar()->findChild<QAction*>(f[1])); }},
        {"toolbar",
         [&](auto& f) { trigger(w().findChild<QToolBar*>()->findChild<QAction*>(f[1])); }},
        {"clock", [&](auto& f) { t->clock.set(f[1].toDouble()); }},
        {"tick", [&](auto& f) { t->clock.advance(f[1].toDouble()), w().continuousRefreshTick(); }},
        {"recentre", [&](auto&) { w().recentre(); }},
        {"stored", [&](auto& f) { docs().setStoredText(f[1].toInt(), f[2]); }},
        {"set-folder", [&](auto& f) { docs().setFolder(f[1].toInt(), f[2]); }},
        {"closebox",
         [&](auto& f) {
             QCloseEvent event;
             QApplication::sendEvent(&w(), &event);
             ran();
             EXPECT_EQ(event.isAccepted() ? "accepted" : "refused", f[1]);
         }},
        {"unchanged", [&](auto&) { unchanged(); }},
        {"write", [&](auto& f) { ASSERT_TRUE(writeBytes(f[1], raw[2])); }},
        {"mkdir", [&](auto& f) { ASSERT_TRUE(QDir().mkpath(f[1])); }},
        {"remove",
         [&](auto& f) {
             w().flushPreviewFiles();
             QDir(f[1]).removeRecursively() && QFile::remove(f[1]);
             ASSERT_FALSE(QFile::exists(f[1]));
         }},
        {"refresh", [&](auto&) { w().refreshPreview(), w().flushPreviewFiles(); }},
        {"show", [&](auto&) { w().show(); }},
        {"resize", [&](auto& f) { w().resize(f[1].toInt(), f[2].toInt()); }},
        {"events", [&](auto&) { QApplication::processEvents(); }},
        {"wait", [&](auto& f) { QTest::qWait(f[1].toInt()); }},
        {"offer-reload", [&](auto&) { w().files().offerReload(w().currentSlot()), ran(); }},
        {"shown", [&](auto&) { ran(); }},
        {"read-only", [&](auto& f) { QFile::setPermissions(f[1], QFile::ReadOwner); }},
        {"setting", [&](auto& f) { t->settings.values[f[1]] = f[2]; }},
        {"launcher", [&](auto& f) { t->launcher.succeed = f[1] == "succeeds"; }},
        {"clipboard", [&](auto& f) { QApplication::clipboard()->setText(f[1]); }},
        {"ask", [&](auto& f) { t->prompts.expectQuestion(f[1], answer(f[2])); }},
        {"tell", [&](auto& f) { t->prompts.expectMessage(f[1], f.value(2)); }},
        {"tell-prefix", [&](auto& f) { t->prompts.expectMessagePrefix(f[1]); }},
        {"file",
         [&](auto& f) { t->prompts.expectFile(f[1], f.mid(2).filter(QRegularExpression("."))); }},
        {"input",
         [&](auto& f) { t->prompts.expectInput(f[1], f[2], f[3], f.value(4) != "cancel"); }},
        {"color",
         [&](auto& f) {
             t->prompts.expectColor(f[1].isEmpty() ? std::nullopt : std::optional(QColor(f[1])));
         }},
        {"is-text", [&](auto& f) { EXPECT_EQ(pane().text(), f[1]); }},
        {"starts", [&](auto& f) { EXPECT_TRUE(pane().text().startsWith(f[1])); }},
        {"is-selection",
         [&](auto& f) {
             EXPECT_EQ(QString("%1|%2").arg(pane().selectionStart()).arg(pane().selectionLength()),
                       f.mid(1).join('|'));
         }},
        {"is-selected", [&](auto& f) { EXPECT_EQ(pane().selectedText(), f[1]); }},
        {"can-undo", [&](auto& f) { EXPECT_EQ(pane().canUndo(), f[1] == "yes"); }},
        {"is-changed", [&](auto& f) { EXPECT_EQ(t->changed(), f[1]); }},
        {"is-title", [&](auto& f) { EXPECT_EQ(docs().title(f[1].toInt()), f[2]); }},
        {"is-folder", [&](auto& f) { EXPECT_EQ(docs().folder(f[1].toInt()), f[2]); }},
        {"is-caption",
         [&](auto& f) { EXPECT_EQ(t->caption(f[1].toInt(), f.value(3, "1").toInt()), f[2]); }},
        {"is-titles", [&](auto& f) { EXPECT_EQ(t->titles(), f[1]); }},
        {"is-file", [&](auto& f) { EXPECT_EQ(readBytes(f[1]), raw[2]); }},
        {"saved", [&](auto& f) { EXPECT_EQ(readBytes(f[1]), pane().text().toUtf8()); }},
        {"file-has", [&](auto& f) { EXPECT_TRUE(readBytes(f[1]).contains(raw[2])); }},
        {"file-starts", [&](auto& f) { EXPECT_TRUE(readBytes(f[1]).startsWith(raw[2])); }},
        {"is-shown", [&](auto& f) { EXPECT_EQ(last(t->recording->navigations), f[1]); }},
        {"is-encoding", [&](auto& f) { EXPECT_EQ(last(t->recording->encodings), f[1]); }},
        {"is-shows", [&](auto& f) { EXPECT_EQ(t->recording->navigations.size(), f[1].toInt()); }},
        {"is-stale", [&](auto& f) { EXPECT_EQ(docs().previewStale(), f[1] == "yes"); }},
        {"is-slot-text", [&](auto& f) { EXPECT_EQ(docs().text(f[1].toInt()), f[2]); }},
        {"is-edit-time", [&](auto& f) { EXPECT_EQ(docs().lastEditTime(), f[1].toDouble()); }},
        {"is-layout",
         [&](auto& f) {
             panes::Placement l = w().paneLayout();
             EXPECT_EQ(placementValue(l, f[1].toUtf8()), f[2].toDouble());
         }},
        {"is-source-width", [&](auto& f) { EXPECT_EQ(pane().width(), f[1].toInt()); }},
        {"is-size",
         [&](auto& f) {
             EXPECT_EQ(QString("%1|%2").arg(w().width()).arg(w().height()), f.mid(1).join('|'));
         }},
        {"is-timer",
         [&](auto& f) { EXPECT_EQ(w().findChild<QTimer*>(f[1])->isActive(), f[2] == "on"); }},
        {"is-wizard",
         [&](auto& f) { EXPECT_EQ(w().frames().wizard() != nullptr, f[1] == "open"); }},
        {"is-panel",
         [&](auto& f) {
             w().statusPanels().update();
             EXPECT_EQ(w().statusPanels().text(f[1].toInt()), f[2]);
         }},
        {"is-open-path", [&](auto& f) { EXPECT_EQ(w().state().openPath(), f[1]); }},
        {"is-search", [&](auto& f) { EXPECT_EQ(w().editor().searchText(), f[1]); }},
        {"is-clipboard", [&](auto& f) { EXPECT_EQ(QApplication::clipboard()->text(), f[1]); }},
        {"is-setting", [&](auto& f) { EXPECT_EQ(t->settings.values.value(f[1], "(none)"), f[2]); }},
        {"is-started",
         [&](auto& f) {
             ASSERT_EQ(t->launcher.starts.size(), f[1].toUInt());
             EXPECT_EQ(t->launcher.starts.back().program, f[2]);
             EXPECT_TRUE(f.size() < 4 || t->launcher.starts.back().arguments == f.mid(3));
         }},
        {"is-urls", [&](auto& f) { EXPECT_EQ(t->launcher.urls, f.mid(1)); }},
        {"is-quits", [&](auto& f) { EXPECT_EQ(t->quits, f[1].toInt()); }},
        {"is-dialog",
         [&](auto& f) {
             const Prompts::FileRequest& r = t->prompts.last().file;
             EXPECT_EQ(QString(r.open ? "open" : "save") + (r.confirmOverwrite ? " overwrite" : ""),
                       f[1]);
             EXPECT_TRUE(f.size() < 3 || (r.folder == f[2] && r.defaultSuffix == f[3]));
         }},
        {"is-filters", [&](auto& f) { EXPECT_EQ(t->prompts.last().file.nameFilters, f.mid(1)); }},
        {"is-link", [&](auto& f) { EXPECT_EQ(w().insertCommands().linkPath(), f[1]); }},
        {"is-color",
         [&](auto& f) { EXPECT_EQ(t->prompts.last().color.name(), QColor(f[1]).name()); }},
    };
    QString scenario;
    bool skipping = false;
    for (QByteArrayList fields : testdata::table(name)) {
        if (fields[0] == "scenario") {
            skipping = false;
            t.reset();
            site = std::make_unique<QTemporaryDir>();
            t = std::make_unique<TestWindow>();
            scenario = QString::fromUtf8(fields.value(1));
            continue;
        }
        ASSERT_TRUE(t) << "a step before the first scenario";
        Row row;
        for (QByteArray& field : fields) {
            field.replace("{site}", (site->path() + "/").toUtf8())
                .replace("{docs}", t->docFolder().toUtf8())
                .replace("{program}", (t->programDir.path() + "/").toUtf8())
                .replace("{template}", docs().pageTemplate().toUtf8());
            row << QString::fromUtf8(field);
        }
        raw = fields;
        if (skipping || (row[0] == "if-missing" && (skipping = QFileInfo::exists(row[1])))) {
            continue;
        }
        SCOPED_TRACE((scenario + ": " + row.join('|')).toStdString());
        ASSERT_TRUE(steps.count(row[0])) << "no such step";
        steps.at(row[0])(row);
    }
}
