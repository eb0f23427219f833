// The program itself, with a robot for a user: runs the real start-up, the
// real main window and the real way the program ends, but answers every
// prompt from the command line and carries out a list of steps once the
// window is up. Tests start it as a child process, to see what only a real
// process shows: that it ends when asked, and what survives a kill.
//
//   markwright_driver --program-folder DIR [--answer A]... [STEP]...
//
// Answers, used in order: yes, no, cancel, choice:N, file:PATH. --file PATH
// names a file to open at start, as the command line does.
// Steps: select:N, type:TEXT, cmd:NAME, closebox, journal (writes the crash
// journal and prints "journaled"), dump (prints each slot), busy:MS (holds
// the event loop, as a slow start does). After the steps it prints "steps
// done" and runs until the program ends.
#include "app/FrmEdit.h"
#include "app/Program.h"
#include "core/BusyGate.h"
#include "core/DocumentSlots.h"
#include "dialogs/Prompts.h"
#include "editor/SourcePane.h"
#include "recovery/Recovery.h"

#include "support/ProjectNames.h"
#include <QApplication>
#include <QTabBar>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <deque>

namespace {
void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class AnsweringPrompts : public Prompts {
  public:
    std::deque<QString> answers;

    QString next(const QString& prompt) {
        say(QStringLiteral("prompt: ") + QString(prompt).replace('\n', ' '));
        if (answers.empty()) {
            return QStringLiteral("cancel");
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void message(const QString& text, const QString&, Icon) override { next(text); }
    Answer askYesNoCancel(const QString& text, const QString&) override {
        const QString answer = next(text);
        return answer == "yes" ? Answer::Yes : answer == "no" ? Answer::No : Answer::Cancel;
    }
    int choose(const QString& text, const QString&, const QStringList&, int) override {
        const QString answer = next(text);
        return answer.startsWith("choice:") ? answer.mid(7).toInt() : -1;
    }
    QStringList fileDialog(const FileRequest& request) override {
        const QString answer = next(request.title);
        return answer.startsWith("file:") ? QStringList{answer.mid(5)} : QStringList();
    }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    bool printDialog(PrintRequest&) override { return false; }
    bool inputBox(const QString& prompt, const QString&, QString&) override {
        next(prompt);
        return false;
    }
};

void runStep(FrmEdit& window, const QString& step) {
    if (step.startsWith("select:")) {
        window.findChild<QTabBar*>(QStringLiteral("TabStrip1"))
            ->setCurrentIndex(step.mid(7).toInt() - 1);
    } else if (step.startsWith("type:")) {
        window.source().replaceSelection(step.mid(5));
    } else if (step.startsWith("cmd:")) {
        window.commands().run(step.mid(4));
    } else if (step == "closebox") {
        window.close();
    } else if (step == "journal") {
        window.recovery().journalNow();
        window.recovery().flush();
        say(QStringLiteral("journaled"));
    } else if (step.startsWith("busy:")) {
        QThread::msleep(step.mid(5).toULong());
    } else if (step == "dump") {
        const DocumentSlots& docs = window.documents();
        for (int n = 1; n <= DocumentSlots::Count; ++n) {
            say(QStringLiteral("slot %1 changed=%2 title=%3 text=%4")
                    .arg(n)
                    .arg(docs.changed(n) ? 1 : 0)
                    .arg(docs.title(n), QString(docs.text(n).left(40)).replace('\n', ' ')));
        }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Markwright"));
    QCoreApplication::setApplicationName(QStringLiteral("Markwright"));
    AnsweringPrompts prompts;
    ProgramOptions options;
    options.prompts = &prompts;
    options.splash = false;
    QStringList steps;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--program-folder" && i + 1 < args.size()) {
            options.programFolder = args[++i];
        } else if (args[i] == "--file" && i + 1 < args.size()) {
            options.files.append(args[++i]);
        } else if (args[i] == "--answer" && i + 1 < args.size()) {
            prompts.answers.push_back(args[++i]);
        } else {
            steps.append(args[i]);
        }
    }
    options.started = [steps](FrmEdit& window) {
        QObject::connect(&window, &QWidget::windowTitleChanged, &window,
                         [](const QString& title) { say(QStringLiteral("title: ") + title); });
        say(QStringLiteral("started"));
        // Each step once the one before (and the files named at start) is
        // done, as a user's next action would be.
        for (const QString& step : steps) {
            BusyGate::whenIdle(&window, [&window, step] { runStep(window, step); });
        }
        BusyGate::whenIdle(&window, [] { say(QStringLiteral("steps done")); });
    };
    return runProgram(options);
}
