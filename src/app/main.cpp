#include "app/AppContext.h"
#include "app/Clock.h"
#include "app/FrmEdit.h"
#include "app/WebPreview.h"
#include "dialogs/Launcher.h"
#include "dialogs/QtPrompts.h"

#include <QApplication>

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

    FrmEdit window(context);
    prompts.setParent(&window);
    window.show();
    return app.exec();
}
