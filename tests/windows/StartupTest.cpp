// The splash, the about box and the web pages window.
#include "platform/Platform.h"
#include "windows/FrmSplash.h"
#include "windows/SideWindows.h"
#include "support/TestWindow.h"

#include <QLineEdit>
#include <QPointer>

// The main window comes once: after the time, or at once on a click, and
// never twice when both happen. The splash shows the product picture.
TEST(Splash, GivesWayOnceAfterItsTimeOrAtAClick) {
    int shown = 0;
    QPointer<FrmSplash> timed = new FrmSplash([&] { ++shown; }, 50);
    EXPECT_EQ(timed->findChild<QLabel*>("Image1")->pixmap().size(), QSize(451, 351));
    timed->show();
    EXPECT_EQ(shown, 0);
    QTest::qWait(200);
    EXPECT_EQ(shown, 1);
    QTest::qWait(10);
    EXPECT_TRUE(timed.isNull() || !timed->isVisible());

    auto* clicked = new FrmSplash([&] { ++shown; }, 100);
    clicked->show();
    QTest::mouseClick(clicked->findChild<QLabel*>("Image1"), Qt::LeftButton);
    EXPECT_EQ(shown, 2);
    QTest::qWait(250); // the timer's time passes too
    EXPECT_EQ(shown, 2);
}

TEST(SideWindows, AboutTwiceShowsOneBox) {
    TestWindow w;
    w.run("mnuAbout");
    FrmAbout* about = w->sideWindows().about();
    ASSERT_NE(about, nullptr);
    w.run("mnuAbout");
    EXPECT_EQ(w->sideWindows().about(), about);
    EXPECT_EQ(w->findChildren<FrmAbout*>().size(), 1);
    EXPECT_EQ(about->windowTitle(), "About Markwright");
    EXPECT_EQ(about->findChild<QLabel*>("lblName")->font().family(), "Arial Black");
    EXPECT_EQ(about->findChild<QLabel*>("lblMaker")->text(), "Tollvane");
    about->findChild<QPushButton*>("cmdAceptar")->click();
    EXPECT_FALSE(about->isVisible());
}

// Each button opens what its box holds at the click; the two failures have
// their messages.
TEST(SideWindows, WebPagesOpenTheEditedAddressOrSayWhy) {
    TestWindow w;
    w.run("mnuWeb");
    FrmWeb* web = w->sideWindows().web();
    ASSERT_NE(web, nullptr);
    const auto button = [web](const char* name) { return web->findChild<QPushButton*>(name); };
    EXPECT_EQ(web->windowTitle(), "Web Pages");
    EXPECT_TRUE(web->isModal() || web->windowModality() == Qt::ApplicationModal);
    EXPECT_EQ(button("cmdGo")->text(), "Go To Web");
    EXPECT_EQ(button("Command1")->text(), "Go to Web");
    EXPECT_EQ(button("Command2")->text(), "Go To Web");
    EXPECT_FALSE(web->findChild<QLineEdit*>("txtUrl0")->text().isEmpty());

    web->findChild<QLineEdit*>("txtUrl1")->setText("https://example.org/edited");
    button("Command1")->click();
    ASSERT_EQ(w.launcher.opened.size(), 1u);
    EXPECT_EQ(w.launcher.opened[0].arguments, QStringList{"https://example.org/edited"});

    w.launcher.succeed = false;
    w.prompts.expectMessage("Web Page not Opened", "URL Failed");
    button("cmdGo")->click();
    w.launcher.browser.reset();
    w.prompts.expectMessage("Could not open your Browser", "Browser Not Found");
    button("Command2")->click();
    EXPECT_EQ(w.prompts.last().icon, Prompts::Icon::Warning);

    button("cmdConnect")->click(); // nothing to dial here
    button("cmdQuit")->click();
    EXPECT_FALSE(web->isVisible());
}

// The probe file that asks which program opens web pages is gone again in
// every case, found or not.
TEST(Platform, TheBrowserProbeIsDeletedInEveryCase) {
    for (const QString& answer : {QString("C:/browser.exe"), QString()}) {
        QString probe;
        const QString program = platform::programForDocument(".htm", [&](const QString& path) {
            probe = path;
            EXPECT_TRUE(QFile::exists(path));
            EXPECT_TRUE(path.endsWith(".htm"));
            return answer;
        });
        EXPECT_EQ(program, answer);
        EXPECT_FALSE(probe.isEmpty());
        EXPECT_FALSE(QFile::exists(probe));
    }
}
