#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace markwright {

class FrmEdit;
class Prompts;

// How the program runs: the splash, then the main window on the real seams,
// until the window ends the program. The program and the tests that run it
// as a child process share this.
struct ProgramOptions {
    // Null: the platform's own dialogs.
    Prompts* prompts = nullptr;
    // Empty: the executable's folder.
    QString programFolder;
    bool splash = true;
    // Opened into slots 1, 2... once the window is up.
    QStringList files;
    // Runs once the main window is shown.
    std::function<void(FrmEdit&)> started;
};

// The options of the program's command line: markwright [--no-splash]
// [FILE...]; --help and --version answer and end the program here.
ProgramOptions optionsFromCommandLine();

// Runs the event loop of the QApplication already made; returns the exit
// status. When another copy is running for this user, hands it the files
// and returns 0 at once. SIGTERM, SIGINT and SIGHUP end the program without questions,
// keeping unsaved pages for the next start.
int runProgram(const ProgramOptions& options);

} // namespace markwright
