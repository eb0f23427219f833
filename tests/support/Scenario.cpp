#include "support/Scenario.h"

#include "app/StatusPanels.h"
#include "editor/EditorCommands.h"
#include "frames/FramesCommand.h"
#include "frames/FrmFrames.h"
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
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<QTemporaryDir> site;
    TestWindow* t = nullptr;
    QByteArrayList raw; // the row's fields as bytes, for file contents
    const auto pane = [&]() -> SourcePane& { return t->window->source(); };
    const auto docs = [&]() -> DocumentSlots& { return t->window->documents(); };
    const auto ran = [&] { EXPECT_TRUE(t->prompts.allShown()) << "a prompt was not shown"; };
    // Runs the insertion command over "0123456789" with "34" selected: the
    // selection is replaced, the caret ends after the text, only the current
    // slot is marked changed, and the command does not refresh the preview.
    const auto insert = [&](const QString& command, const QString& text) {
        SCOPED_TRACE(command.toStdString());
        pane().setText("0123456789");
        pane().setSelection(3, 2);
        for (int n = 1; n <= DocumentSlots::Count; ++n) {
            docs().setChanged(n, false);
        }
        const auto navigations = t->recording->navigations.size();
        auto* action = t->window->menuBar()->findChild<QAction*>(command);
        ASSERT_TRUE(action && action->isEnabled()) << "no enabled menu item";
        action->trigger();
        ran();
        EXPECT_EQ(pane().text(), "012" + text + "56789");
        EXPECT_EQ(pane().selectionStart(), 3 + text.size());
        EXPECT_EQ(pane().selectionLength(), 0);
        EXPECT_EQ(t->changed(), QString::number(t->window->currentSlot()));
        EXPECT_EQ(t->recording->navigations.size(), navigations) << "no refresh by the command";
    };
    const std::map<QString, std::function<void(const Row&)>> steps = {
        {"select", [&](const Row& f) { t->select(f[1].toInt()); }},
        {"text", [&](const Row& f) { pane().setText(f[1]); }},
        {"caret", [&](const Row& f) { pane().setSelection(f[1].toInt(), f.value(2).toInt()); }},
        {"type", [&](const Row& f) { pane().replaceSelection(f[1]); }},
        {"keys", [&](const Row& f) { QTest::keyClicks(&pane(), f[1]); }},
        {"undo", [&](const Row&) { pane().undoOnce(); }},
        {"run", [&](const Row& f) { t->run(qPrintable(f[1])), ran(); }},
        {"press", [&](const Row& f) { t->press(QKeySequence(f[1])[0]), ran(); }},
        {"insert", [&](const Row& f) { insert(f[1], f.value(2)); }},
        {"insert-file", [&](const Row& f) { insert(f[1], testdata::text(f[2])); }},
        {"menu",
         [&](const Row& f) { t->window->menuBar()->findChild<QAction*>(f[1])->trigger(), ran(); }},
        {"toolbar",
         [&](const Row& f) {
             t->window->findChild<QToolBar*>()->findChild<QAction*>(f[1])->trigger();
         }},
        {"wizard",
         [&](const Row& f) {
             FrmFrames* wizard = t->window->frames().wizard();
             ASSERT_TRUE(wizard) << "no wizard";
             f[1] == "close" ? (void)wizard->close()
                             : wizard->findChild<QToolButton*>(f[1])->click();
         }},
        {"clock", [&](const Row& f) { t->clock.set(f[1].toDouble()); }},
        {"tick",
         [&](const Row& f) {
             t->clock.advance(f[1].toDouble());
             t->window->continuousRefreshTick();
         }},
        {"recentre", [&](const Row&) { t->window->recentre(); }},
        {"stored", [&](const Row& f) { docs().setStoredText(f[1].toInt(), f[2]); }},
        {"set-folder", [&](const Row& f) { docs().setFolder(f[1].toInt(), f[2]); }},
        {"closebox",
         [&](const Row& f) {
             QCloseEvent event;
             QApplication::sendEvent(t->window.get(), &event);
             ran();
             EXPECT_EQ(event.isAccepted() ? "accepted" : "refused", f[1]);
         }},
        {"unchanged",
         [&](const Row&) {
             for (int n = 1; n <= DocumentSlots::Count; ++n) {
                 docs().setChanged(n, false);
             }
         }},
        {"write", [&](const Row& f) { ASSERT_TRUE(writeBytes(f[1], raw[2])); }},
        {"mkdir", [&](const Row& f) { ASSERT_TRUE(QDir().mkpath(f[1])); }},
        {"remove",
         [&](const Row& f) {
             t->window->flushPreviewFiles();
             ASSERT_TRUE(QFileInfo(f[1]).isDir() ? QDir(f[1]).removeRecursively()
                                                 : QFile::remove(f[1]));
         }},
        {"refresh",
         [&](const Row&) {
             t->window->refreshPreview();
             t->window->flushPreviewFiles();
         }},
        {"show", [&](const Row&) { t->window->show(); }},
        {"resize", [&](const Row& f) { t->window->resize(f[1].toInt(), f[2].toInt()); }},
        {"events", [&](const Row&) { QApplication::processEvents(); }},
        {"read-only",
         [&](const Row& f) { QFile::setPermissions(f[1], QFile::ReadOwner | QFile::ReadUser); }},
        {"clipboard", [&](const Row& f) { QApplication::clipboard()->setText(f[1]); }},
        {"ask", [&](const Row& f) { t->prompts.expectQuestion(f[1], answer(f[2])); }},
        {"tell", [&](const Row& f) { t->prompts.expectMessage(f[1], f.value(2)); }},
        {"tell-prefix", [&](const Row& f) { t->prompts.expectMessagePrefix(f[1]); }},
        {"file",
         [&](const Row& f) {
             t->prompts.expectFile(f[1], f.mid(2).filter(QRegularExpression(".")));
         }},
        {"input",
         [&](const Row& f) { t->prompts.expectInput(f[1], f[2], f[3], f.value(4) != "cancel"); }},
        {"color",
         [&](const Row& f) {
             t->prompts.expectColor(f[1].isEmpty() ? std::nullopt : std::optional(QColor(f[1])));
         }},
        {"is-text", [&](const Row& f) { EXPECT_EQ(pane().text(), f[1]); }},
        {"starts", [&](const Row& f) { EXPECT_TRUE(pane().text().startsWith(f[1])); }},
        {"is-selection",
         [&](const Row& f) {
             EXPECT_EQ(pane().selectionStart(), f[1].toInt());
             EXPECT_EQ(pane().selectionLength(), f[2].toInt());
         }},
        {"is-selected", [&](const Row& f) { EXPECT_EQ(pane().selectedText(), f[1]); }},
        {"can-undo", [&](const Row& f) { EXPECT_EQ(pane().canUndo(), f[1] == "yes"); }},
        {"is-changed", [&](const Row& f) { EXPECT_EQ(t->changed(), f[1]); }},
        {"is-title", [&](const Row& f) { EXPECT_EQ(docs().title(f[1].toInt()), f[2]); }},
        {"is-folder", [&](const Row& f) { EXPECT_EQ(docs().folder(f[1].toInt()), f[2]); }},
        {"is-caption",
         [&](const Row& f) { EXPECT_EQ(t->caption(f[1].toInt(), f.value(3, "1").toInt()), f[2]); }},
        {"is-titles", [&](const Row& f) { EXPECT_EQ(t->titles(), f[1]); }},
        {"is-file", [&](const Row& f) { EXPECT_EQ(readBytes(f[1]), raw[2]); }},
        {"saved", [&](const Row& f) { EXPECT_EQ(readBytes(f[1]), pane().text().toUtf8()); }},
        {"file-has", [&](const Row& f) { EXPECT_TRUE(readBytes(f[1]).contains(raw[2])); }},
        {"is-shown", [&](const Row& f) { EXPECT_EQ(last(t->recording->navigations), f[1]); }},
        {"is-encoding", [&](const Row& f) { EXPECT_EQ(last(t->recording->encodings), f[1]); }},
        {"is-shows",
         [&](const Row& f) { EXPECT_EQ(t->recording->navigations.size(), f[1].toInt()); }},
        {"is-stale", [&](const Row& f) { EXPECT_EQ(docs().previewStale(), f[1] == "yes"); }},
        {"is-slot-text", [&](const Row& f) { EXPECT_EQ(docs().text(f[1].toInt()), f[2]); }},
        {"is-edit-time", [&](const Row& f) { EXPECT_EQ(docs().lastEditTime(), f[1].toDouble()); }},
        {"is-layout",
         [&](const Row& f) {
             panes::Placement l = t->window->paneLayout();
             EXPECT_EQ(placementValue(l, f[1].toUtf8()), f[2].toDouble());
         }},
        {"is-source-width", [&](const Row& f) { EXPECT_EQ(pane().width(), f[1].toInt()); }},
        {"is-size",
         [&](const Row& f) {
             EXPECT_EQ(t->window->width(), f[1].toInt());
             EXPECT_TRUE(f[2].isEmpty() || t->window->height() == f[2].toInt());
         }},
        {"is-timer",
         [&](const Row& f) {
             EXPECT_EQ(t->window->findChild<QTimer*>(f[1])->isActive(), f[2] == "on");
         }},
        {"is-wizard",
         [&](const Row& f) { EXPECT_EQ(t->window->frames().wizard() != nullptr, f[1] == "open"); }},
        {"is-panel",
         [&](const Row& f) {
             t->window->statusPanels().update();
             EXPECT_EQ(t->window->statusPanels().text(f[1].toInt()), f[2]);
         }},
        {"is-open-path", [&](const Row& f) { EXPECT_EQ(t->window->state().openPath(), f[1]); }},
        {"file-starts", [&](const Row& f) { EXPECT_TRUE(readBytes(f[1]).startsWith(raw[2])); }},
        {"is-search", [&](const Row& f) { EXPECT_EQ(t->window->editor().searchText(), f[1]); }},
        {"is-clipboard", [&](const Row& f) { EXPECT_EQ(QApplication::clipboard()->text(), f[1]); }},
        {"is-quits", [&](const Row& f) { EXPECT_EQ(t->quits, f[1].toInt()); }},
        {"is-dialog",
         [&](const Row& f) {
             const Prompts::FileRequest& r = t->prompts.last().file;
             EXPECT_EQ(QString(r.open ? "open" : "save") + (r.confirmOverwrite ? " overwrite" : ""),
                       f[1]);
             EXPECT_TRUE(f.size() < 3 || (r.folder == f[2] && r.defaultSuffix == f[3]))
                 << r.folder.toStdString() << " " << r.defaultSuffix.toStdString();
         }},
        {"is-filters",
         [&](const Row& f) { EXPECT_EQ(t->prompts.last().file.nameFilters, f.mid(1)); }},
        {"is-link", [&](const Row& f) { EXPECT_EQ(t->window->insertCommands().linkPath(), f[1]); }},
        {"is-color",
         [&](const Row& f) { EXPECT_EQ(t->prompts.last().color.name(), QColor(f[1]).name()); }},
    };
    QString scenario;
    for (QByteArrayList fields : testdata::table(name)) {
        if (fields[0] == "scenario") {
            window.reset();
            site = std::make_unique<QTemporaryDir>();
            window = std::make_unique<TestWindow>();
            t = window.get();
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
        SCOPED_TRACE((scenario + ": " + row.join('|')).toStdString());
        ASSERT_TRUE(steps.count(row[0])) << "no such step";
        steps.at(row[0])(row);
    }
}
