// Which way the window is drawn: SDL's hints as a user sets them, else the GPU.
#include "platform/posix/video/presenting.h"

#include <gtest/gtest.h>

namespace {

using posix::video::ChoosePresenting;
using posix::video::Presenter;

std::string Choice(const char* renderDriver, const char* acceleration, bool gpu) {
    const posix::video::PresentingChoice choice = ChoosePresenting(renderDriver, acceleration, gpu);
    if (choice.presenter == Presenter::WindowSurface) return "surface";
    return "renderer:" + choice.rendererDriver;
}

TEST(PresentingChoice, SdlHintsChooseAndOtherwiseTheDisplaysGpuDoes) {
    EXPECT_EQ(Choice(nullptr, nullptr, false), "surface");
    EXPECT_EQ(Choice(nullptr, nullptr, true), "renderer:");
    EXPECT_EQ(Choice("", "", true), "renderer:");  // set empty is unset
    // A named renderer is taken even without a GPU (Mesa's llvmpipe under Xvfb).
    EXPECT_EQ(Choice("opengl", nullptr, false), "renderer:opengl");
    EXPECT_EQ(Choice("software", nullptr, true), "surface");
    EXPECT_EQ(Choice("opengles2", "0", false), "renderer:opengles2");  // the driver's hint wins
    EXPECT_EQ(Choice(nullptr, "0", true), "surface");
    EXPECT_EQ(Choice(nullptr, "False", true), "surface");
    EXPECT_EQ(Choice(nullptr, "software", true), "surface");
    EXPECT_EQ(Choice(nullptr, "1", false), "renderer:");
    EXPECT_EQ(Choice(nullptr, "TRUE", false), "renderer:");
    EXPECT_EQ(Choice(nullptr, "opengles2", false), "renderer:opengles2");
}

}  // namespace
