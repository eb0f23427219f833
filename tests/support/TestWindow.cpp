#include "support/TestWindow.h"

#include "core/BusyGate.h"
#include "preview/WebPreview.h"

#include <QElapsedTimer>

#include <QPrinter>

TestWindow::TestWindow(Ini ini, bool realPreview, const QString& openPath,
                       const QString& journalFolder)
    : previousCurrent(QDir::currentPath()) {
    QDir::setCurrent(docDir.path());
    if (ini == Ini::WithOpenPath) {
        const QString folder = openPath.isNull() ? docFolder() : openPath;
        writeBytes(programDir.filePath("Markwright.ini"),
                   "[Markwright]\nOpenPath=" + folder.toUtf8() + "\n");
    } else {
        prompts.expectMessage(QStringLiteral("PROBLEM WITH INI FILE"), QString());
    }
    AppContext context;
    context.prompts = &prompts;
    context.clock = &clock;
    context.launcher = &launcher;
    context.userSettings = &settings;
    context.makePrinter = [this] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printFile);
        return printer;
    };
    context.programFolder = programDir.path();
    context.makePreview = [this, realPreview](QWidget* parent) -> PreviewPane* {
        return realPreview ? static_cast<PreviewPane*>(new WebPreview(parent, programDir.path()))
                           : (recording = new RecordingPreview(parent));
    };
    context.quit = [this] { ++quits; };
    context.journalFolder = journalFolder;
    window = std::make_unique<FrmEdit>(context);
}

TestWindow::~TestWindow() {
    window.reset();
    prompts.verifyDone();
    QDir::setCurrent(previousCurrent);
}

void waitUntilIdle() {
    QElapsedTimer waited;
    waited.start();
    while ((BusyGate::held() || BusyGate::waiting()) && waited.elapsed() < 60000) {
        QTest::qWait(5);
    }
    EXPECT_FALSE(BusyGate::held()) << "work still under way";
}

void activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QApplication::processEvents();
}

void TestWindow::press(QKeyCombination key) {
    activate(window.get());
    window->source().setFocus();
    QTest::keyClick(window->windowHandle(), key.key(), key.keyboardModifiers());
    waitUntilIdle();
}

QString TestWindow::changed() {
    QString numbers;
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        numbers += window->documents().changed(n) ? QString::number(n) : QString();
    }
    return numbers;
}

void TestWindow::select(int n) {
    window->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(n - 1);
}

QString TestWindow::caption(int n, int strip) {
    return window->findChild<QTabBar*>(QStringLiteral("TabStrip%1").arg(strip))->tabText(n - 1);
}

void TestWindow::run(const char* command) {
    ASSERT_TRUE(window->commands().run(command)) << command;
    waitUntilIdle();
}

void TestWindow::open(const QString& path) {
    prompts.expectFile(QStringLiteral("Open File"), {path});
    run("mnuFileOpen");
}

QString TestWindow::previewFile(int n, const QString& folder) const {
    return (folder.isEmpty() ? docFolder() : folder) + QStringLiteral("~tmp%1-Mkwr.html").arg(n);
}

QString TestWindow::titles() const {
    return window->windowTitle() + " | " +
           window->findChild<QLabel*>(QStringLiteral("lblTitle0"))->text() + " | " +
           window->findChild<QLabel*>(QStringLiteral("lblTitle1"))->text();
}
