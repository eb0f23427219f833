#pragma once

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace markwright {

class Launcher;
class UserSettings;
class Prompts;
class Clock;
class PreviewPane;

// What the main window needs from outside: the seams. The program passes the
// real ones; tests pass doubles.
struct AppContext {
    Prompts* prompts = nullptr;
    Clock* clock = nullptr;
    // Where the INI file and the frame pages live.
    QString programFolder;
    // Makes the preview pane as a child of `parent`.
    std::function<PreviewPane*(QWidget* parent)> makePreview;
    Launcher* launcher = nullptr;
    // Where per-user values are kept (null: the platform's settings store).
    UserSettings* userSettings = nullptr;
    // Makes the printer "Print Source" prints on (the default printer when
    // not set).
    std::function<std::unique_ptr<QPrinter>()> makePrinter;
    // Ends the program (the real one quits the application).
    std::function<void()> quit;
    // Where unsaved pages are journalled against a crash; empty: nowhere.
    QString journalFolder;
    // Where the INI file goes when the program's folder cannot be written
    // (an installed copy); empty: always beside the program.
    QString userConfigFolder;
    // Where in-place saves keep the old bytes; empty: not checked at start.
    QString backupFolder;
};

} // namespace markwright
