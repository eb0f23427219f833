#pragma once

#include "app/AppContext.h"
#include "app/FrmEdit.h"
#include "core/Clock.h"
#include "preview/PreviewPane.h"
#include "dialogs/Prompts.h"

#include "support/ProjectNames.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

// A main window for measurements: real clock, prompts that answer nothing,
// and an INI file naming a scratch folder for the preview files.
struct SilentPrompts : Prompts {
    void message(const QString&, const QString&, Icon) override {}
    Answer askYesNoCancel(const QString&, const QString&) override { return Answer::Cancel; }
    int choose(const QString&, const QString&, const QStringList&, int) override { return -1; }
    bool inputBox(const QString&, const QString&, QString&) override { return false; }
    // Answers file dialogs with `nextFile` (empty: Cancel).
    QStringList fileDialog(const FileRequest&) override {
        return nextFile.isEmpty() ? QStringList() : QStringList{nextFile};
    }
    QString nextFile;
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    bool printDialog(PrintRequest&) override { return false; }
};

struct NullPreview : QWidget, PreviewPane {
    explicit NullPreview(QWidget* parent) : QWidget(parent) {}
    QWidget* widget() override { return this; }
    void navigate(const QString&) override {}
    void back() override {}
    void forward() override {}
};

struct BenchWindow {
    explicit BenchWindow(std::function<PreviewPane*(QWidget*)> makePreview) {
        QFile ini(dir.filePath("Markwright.ini"));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write("[Markwright]\nOpenPath=" + dir.path().toUtf8() + "/\n");
        }
        context.prompts = &prompts;
        context.clock = &clock;
        context.programFolder = dir.path();
        context.makePreview = std::move(makePreview);
        window = std::make_unique<FrmEdit>(context);
    }

    QTemporaryDir dir;
    SilentPrompts prompts;
    SteadyClock clock;
    AppContext context;
    std::unique_ptr<FrmEdit> window;
};
