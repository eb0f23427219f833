#include "app/Program.h"

#include "app/SingleInstance.h"
#include "platform/RenderingChoice.h"

#include "app/AppContext.h"
#include "app/FrmEdit.h"
#include "core/Clock.h"
#include "dialogs/QtPrompts.h"
#include "files/InPlaceWrite.h"
#include "platform/Launcher.h"
#include "preview/WebPreview.h"
#include "windows/FrmSplash.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace markwright {

namespace {
#ifdef Q_OS_UNIX
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

// Turns the stop signals into a call of `stop` on the event loop.
void catchStopSignals(QObject* owner, std::function<void()> stop) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [stop] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        stop();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}
#else
void catchStopSignals(QObject*, std::function<void()>) {}
#endif
} // namespace

ProgramOptions optionsFromCommandLine() {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An editor for writing HTML pages by hand, "
                                                    "with a live preview."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash window."));
    parser.addOption(noSplash);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Pages to open, at most five."),
                                 QStringLiteral("[FILE...]"));
    parser.process(*QCoreApplication::instance());
    ProgramOptions options;
    options.splash = !parser.isSet(noSplash);
    options.files = parser.positionalArguments();
    return options;
}

int runProgram(const ProgramOptions& options) {
    // A copy already running takes the files and comes to the front.
    const QString socket = SingleInstance::socketName();
    if (SingleInstance::handOver(socket, options.files)) {
        return 0;
    }
    SingleInstance instance;
    const bool listening = instance.listen(socket);
    rendering::chooseBackend();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/markwright.svg")));
    QtPrompts qtPrompts;
    if (!listening && instance.heldElsewhere()) {
        // A copy holds the claim but does not answer: a second window would
        // share its preview files.
        (options.prompts != nullptr ? *options.prompts : static_cast<Prompts&>(qtPrompts))
            .showError(QStringLiteral("Markwright is already running, but it does not answer. "
                                      "Close it, or end it, and start Markwright again."));
        return 1;
    }
    SteadyClock clock;
    SystemLauncher launcher;
    AppContext context;
    context.prompts = options.prompts != nullptr ? options.prompts : &qtPrompts;
    context.clock = &clock;
    context.launcher = &launcher;
    context.programFolder = options.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                            : options.programFolder;
    context.makePreview = [folder = context.programFolder](QWidget* parent) {
        return new WebPreview(parent, folder);
    };
    // The loop ends without asking the windows again: the main window has
    // asked its questions by the time it ends the program.
    context.quit = [] { QCoreApplication::exit(0); };
    context.journalFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                            QStringLiteral("/sessions");
    context.backupFolder = inplace::defaultBackupFolder();
    context.userConfigFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    std::unique_ptr<FrmEdit> window;
    bool stopAsked = false;
    QStringList arrived; // handed over before the window is up
    // Owns every connection that reaches the locals above, so none outlives
    // them (it goes first, being made last).
    QObject connections;
    catchStopSignals(&connections, [&] {
        if (window) {
            window->endKeepingPages();
        } else {
            stopAsked = true;
            QCoreApplication::exit(0);
        }
    });
    QObject::connect(&instance, &SingleInstance::filesArrived, &connections,
                     [&](const QStringList& files) {
                         if (!window) {
                             arrived += files;
                             return;
                         }
                         window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                         window->raise();
                         window->activateWindow();
                         window->openFiles(files);
                     });
    // A desktop logout: the user is asked about unsaved pages as Close asks,
    // and the logout is cancelled only when the user cancels; where the
    // session allows no questions, the pages are kept for the next start.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &connections,
                     [&](QSessionManager& manager) {
                         if (!window) {
                             return;
                         }
                         const bool mayAsk = manager.allowsInteraction();
                         const bool ends = window->endSession(mayAsk);
                         if (mayAsk) {
                             manager.release();
                         }
                         if (!ends) {
                             manager.cancel();
                         }
                     });
    const auto startWindow = [&] {
        if (stopAsked) {
            return;
        }
        window = std::make_unique<FrmEdit>(context);
        qtPrompts.setParent(window.get());
        window->show();
        // Once the window is up: the restore question belongs to it.
        QTimer::singleShot(0, window.get(), [&] {
            window->offerRestore();
            window->openFiles(options.files + arrived);
            if (options.started) {
                options.started(*window);
            }
        });
    };
    if (options.splash) {
        auto* splash = new FrmSplash(startWindow);
        splash->show();
    } else {
        QTimer::singleShot(0, qApp, startWindow);
    }
    const int code = QCoreApplication::exec();
    qtPrompts.setParent(nullptr);
    window.reset();
    return code;
}

} // namespace markwright
