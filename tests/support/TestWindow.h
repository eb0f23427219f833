#pragma once

#include "app/FrmEdit.h"
#include "editor/SourcePane.h"
#include "support/FakeClock.h"
#include "support/MemorySettings.h"
#include "support/PanePlaces.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPreview.h"
#include "support/ScriptedPrompts.h"
#include "support/TestData.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

// Shows `window` and makes it the active one, so keys go to it.
void activate(QWidget* window);

// Returns once nothing holds the busy gate and nothing waits for it: a file
// read in, a format, and whatever they held back, are done.
void waitUntilIdle();

// A main window on test doubles: scripted prompts, a fake clock, a program
// folder and a documents folder of its own. By default the INI file names the
// documents folder as "OpenPath", so start-up shows no message. This header
// brings what the window tests use: the pane, the common widgets, QTest and
// GoogleTest.
class TestWindow {
  public:
    enum class Ini { WithOpenPath, Missing };
    // `realPreview` uses the web engine instead of the recording double.
    // `journalFolder`: where unsaved pages are journalled (empty: nowhere).
    explicit TestWindow(Ini ini = Ini::WithOpenPath, bool realPreview = false,
                        const QString& openPath = QString(),
                        const QString& journalFolder = QString());
    ~TestWindow();

    FrmEdit& operator*() { return *window; }
    FrmEdit* operator->() { return window.get(); }
    QString docFolder() const { return docDir.path() + QLatin1Char('/'); }
    // Selects slot n on the source-side tab strip, as a click on its tab does.
    void select(int n);
    // The caption of slot n's tab on the source-side (1) or preview-side (2) strip.
    QString caption(int n, int strip = 1);
    // The window caption and the two pane titles, as one text.
    QString titles() const;
    // Runs a command by name, as its menu item, button or key does.
    void run(const char* command);
    // Opens `path` into the current slot through the file dialog.
    void open(const QString& path);
    // Types a key into the active window the way the system would, with the
    // source pane focused, so that menu shortcuts see it.
    void press(QKeyCombination key);
    // The slots marked changed, as their numbers ("13": slots 1 and 3).
    QString changed();
    // Slot n's preview file in `folder` (empty: the documents folder).
    QString previewFile(int n, const QString& folder = QString()) const;

    QTemporaryDir programDir;
    QTemporaryDir docDir;
    // With no folder in the INI file the preview files go to the current
    // folder: the window runs inside the documents folder, not the tester's.
    QString previousCurrent;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingLauncher launcher;
    MemorySettings settings;
    RecordingPreview* recording = nullptr;
    int quits = 0;     // times the program was ended
    QString printFile; // where "Print Source" prints to (a PDF); empty: fails
    std::unique_ptr<FrmEdit> window;
};
