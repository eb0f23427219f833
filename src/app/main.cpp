#include "app/AppContext.h"
#include "app/Clock.h"
#include "app/FrmEdit.h"
#include "app/WebPreview.h"
#include "dialogs/Launcher.h"
#include "dialogs/QtPrompts.h"
#include "startup/FrmSplash.h"

#include <QApplication>
#include <memory>

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Markwright"));
    QCoreApplication::setApplicationName(QStringLiteral("Markwright"));

    QtPrompts prompts;
    SteadyClock clock;
    SystemLauncher launcher;
    AppContext context;
    context.prompts = &prompts;
    context.clock = &clock;
    context.launcher = &launcher;
    context.programFolder = QCoreApplication::applicationDirPath();
    context.makePreview = [](QWidget* parent) { return new WebPreview(parent); };
    context.quit = [] { QCoreApplication::quit(); };

    // The splash first; the main window is made and shown when it ends.
    std::unique_ptr<FrmEdit> window;
    auto* splash = new FrmSplash([&] {
        window = std::make_unique<FrmEdit>(context);
        prompts.setParent(window.get());
        window->show();
    });
    splash->show();
    const int code = app.exec();
    prompts.setParent(nullptr);
    window.reset();
    return code;
}
