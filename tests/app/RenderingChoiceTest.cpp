// Software compositing where OpenGL is only a software rasteriser.
#include "app/RenderingChoice.h"

#include <gtest/gtest.h>

TEST(RenderingChoice, SoftwareWhereOpenGLIsMissingOrRasterisedBySoftware) {
    const struct {
        const char* forced;
        std::optional<QByteArray> renderer;
        bool software;
    } cases[] = {
        {"", QByteArray("llvmpipe (LLVM 15.0.6, 256 bits)"), true},
        {"", QByteArray("Mesa DRI Intel(R) UHD Graphics 620 (KBL GT2)"), false},
        {"", QByteArray("Google SwiftShader"), true},
        {"", QByteArray("Software Rasterizer"), true},
        {"", std::nullopt, true},
        {"opengl", QByteArray("llvmpipe"), false},
        {" Software\n", QByteArray("NVIDIA GeForce RTX 3060/PCIe/SSE2"), true},
        {"hardware", std::nullopt, false},
        {"nonsense", QByteArray("AMD Radeon RX 6600"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rendering::useSoftware(c.forced, c.renderer), c.software)
            << c.forced << " / " << c.renderer.value_or("none").constData();
    }
}
