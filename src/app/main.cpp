#include "app/Program.h"
#include "preview/PreviewGuard.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    markwright::PreviewGuard::prepareEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Markwright"));
    QCoreApplication::setApplicationName(QStringLiteral("Markwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARKWRIGHT_VERSION));
    return markwright::runProgram(markwright::optionsFromCommandLine());
}
