// The splash, the about box and the web pages window.
#include "platform/Platform.h"
#include "startup/FrmSplash.h"
#include "startup/SideWindows.h"
#include "support/TestWindow.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

// The main window comes once: after the time, or at once on a click, and
// never twice when both happen.
TEST(Splash, GivesWayOnceAfterItsTimeOrAtAClick) {
    int shown = 0;
    QPointer<FrmSplash> timed = new FrmSplash([&] { ++shown; }, 50);
    timed->show();
    EXPECT_EQ(shown, 0);
    QTest::qWait(200);
    EXPECT_EQ(shown, 1);
    QTest::qWait(10);
    EXPECT_TRUE(timed.isNull() || !timed->isVisible());

    shown = 0;
    auto* clicked = new FrmSplash([&] { ++shown; }, 100);
    clicked->show();
    QTest::mouseClick(clicked->findChild<QLabel*>("Image1"), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    QTest::qWait(250); // the timer's time passes too
    EXPECT_EQ(shown, 1);
}

TEST(Splash, ShowsTheProductPicture) {
    FrmSplash splash([] {}, 100000);
    const QPixmap picture = splash.findChild<QLabel*>("Image1")->pixmap();
    EXPECT_EQ(picture.size(), QSize(451, 351));
}

TEST(SideWindows, AboutTwiceShowsOneBox) {
    TestWindow w;
    w->commands().run("mnuAbout");
    FrmAbout* about = w->sideWindows().about();
    ASSERT_NE(about, nullptr);
    w->commands().run("mnuAbout");
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
    w->commands().run("mnuWeb");
    FrmWeb* web = w->sideWindows().web();
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->windowTitle(), "Web Pages");
    EXPECT_TRUE(web->isModal() || web->windowModality() == Qt::ApplicationModal);
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdGo", "Go To Web"}, {"Command1", "Go to Web"}, {"Command2", "Go To Web"}};
    for (const auto& [name, caption] : buttons) {
        EXPECT_EQ(web->findChild<QPushButton*>(name)->text(), caption);
    }
    EXPECT_FALSE(web->findChild<QLineEdit*>("txtUrl0")->text().isEmpty());

    web->findChild<QLineEdit*>("txtUrl1")->setText("https://example.org/edited");
    web->findChild<QPushButton*>("Command1")->click();
    ASSERT_EQ(w.launcher.opened.size(), 1u);
    EXPECT_EQ(w.launcher.opened[0].arguments, QStringList{"https://example.org/edited"});

    w.launcher.succeed = false;
    w.prompts.expectMessage("Web Page not Opened", "URL Failed");
    web->findChild<QPushButton*>("cmdGo")->click();
    w.launcher.browser.reset();
    w.prompts.expectMessage("Could not open your Browser", "Browser Not Found");
    web->findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(w.prompts.last().icon, Prompts::Icon::Warning);

    web->findChild<QPushButton*>("cmdConnect")->click(); // nothing to dial here
    web->findChild<QPushButton*>("cmdQuit")->click();
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
