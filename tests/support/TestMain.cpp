#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// One QApplication for every test of the executable; settings and standard
// folders go to test locations, never to the user's real ones.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Markwright"));
    QCoreApplication::setApplicationName(QStringLiteral("Markwright"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
