#include "frames/FramesPages.h"
#include "frames/FramePicture.h"
#include "support/TestData.h"

#include <QRegularExpression>

TEST(FramesPages, PagesAreExact) {
    const char* const cases[][3] = {{"Command1", "C:\\Prog", "expected/frames-two-columns.html"},
                                    {"Command5", "/opt/mw", "expected/frames-nested.html"}};
    for (const auto& [button, dir, expected] : cases) {
        EXPECT_EQ(frames::page(*frames::layoutFor(button), dir).toStdString(),
                  testdata::text(expected).toStdString());
    }
}

// The structural facts of every layout, and its picture agreeing with its
// page: the same framesets with the same sizes, and as many frames.
TEST(FramesPages, EveryLayoutHasItsShapeAndAgreesWithItsPicture) {
    const QList<QByteArrayList> shapes = testdata::table("expected/frames-shapes.txt");
    ASSERT_EQ(frames::layouts().size(), 12u);
    ASSERT_EQ(shapes.size(), 12);
    for (std::size_t i = 0; i < 12; ++i) {
        const QByteArrayList& s = shapes[int(i)];
        SCOPED_TRACE(s[0].toStdString());
        const frames::FrameLayout& layout = frames::layouts()[i];
        EXPECT_EQ(layout.button, s[0]) << "buttons in the wizard's order";
        const QString text = frames::page(layout, "C:\\");
        EXPECT_EQ(text.count('\n'), s[1].toInt());
        EXPECT_FALSE(text.contains('\r'));
        EXPECT_EQ(text.count("<frameset"), s[2].toInt());
        EXPECT_EQ(text.count("</frameset>"), 2);
        EXPECT_EQ(text.contains(QRegularExpression(" frameset (cols|rows)=")), s[3] == "1");
        for (const char* comment :
             {"<!-- Set Frameset border to 0 to hide frames -->", "for NETSCAPE Users -->",
              "if you want the frame resizable", "for never scoll -->"}) {
            EXPECT_EQ(text.count(comment), 1) << comment;
        }
        EXPECT_TRUE(text.contains("src=\"C:\\\\")) << "a drive root doubles the backslash";
        EXPECT_FALSE(text.contains("{dir}"));

        std::function<void(const frames::Split&)> check = [&](const frames::Split& split) {
            if (split.sizes.isEmpty()) {
                return;
            }
            const QString attribute =
                QString(split.rows ? "rows=\"" : "cols=\"") + split.sizes.join(',') + "\"";
            EXPECT_TRUE(text.contains(attribute)) << attribute.toStdString();
            for (const frames::Split& part : split.parts) {
                check(part);
            }
        };
        check(layout.geometry);
        EXPECT_EQ(static_cast<qsizetype>(
                      frames::frameRects(layout.geometry, QRectF(0, 0, 80, 60)).size()),
                  text.count("<frame "));
    }
    EXPECT_TRUE(
        frames::page(*frames::layoutFor("Command13"), "/p").contains("/p\\Tophtmlframe.html"));
}

TEST(FramePicture, SizesFollowPercentPixelsAndTheRest) {
    for (const QByteArrayList& c : testdata::table("expected/frame-rects.txt")) {
        const QRectF box(0, 0, c[1].toDouble(), c[2].toDouble());
        QStringList rects;
        for (const QRectF& r : frames::frameRects(frames::layoutFor(c[0])->geometry, box)) {
            rects << QStringLiteral("%1,%2,%3,%4")
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height());
        }
        EXPECT_EQ(rects.join(' ').toUtf8(), c[3]) << c[0].data();
    }
}
