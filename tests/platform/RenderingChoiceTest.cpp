// Software compositing where OpenGL is only a software rasteriser.
#include "platform/RenderingChoice.h"
#include "support/TestData.h"

TEST(RenderingChoice, SoftwareWhereOpenGLIsMissingOrRasterisedBySoftware) {
    for (const QByteArrayList& c : testdata::table("expected/rendering-choice.txt")) {
        const auto renderer = c[1] == "(none)" ? std::nullopt : std::optional(c[1]);
        EXPECT_EQ(rendering::useSoftware(c[0], renderer), c[2] == "1") << c.join('|').data();
    }
}
