#include "platform/WebEngineEnvironment.h"

#include <gtest/gtest.h>

using tessaly::wantsSoftwareSceneGraph;
using tessaly::withFeatureDisabled;

// The engine reads only the last --disable-features: a feature the program switches off
// must join the user's list there, never replace it.
TEST(WebEngineFlags, FeatureJoinsTheLastDisableSwitchOrGetsOneOfItsOwn)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "--disable-features=PaintHolding"},
        {"--no-sandbox  --disable-gpu", "--no-sandbox --disable-gpu --disable-features=PaintHolding"},
        {"--disable-features=A --x --disable-features=B,C",
         "--disable-features=A --x --disable-features=B,C,PaintHolding"},
        {"--disable-features=", "--disable-features=PaintHolding"},
        {"--disable-features=PaintHolding,B", "--disable-features=PaintHolding,B"}}; // named already
    for (const auto &[flags, expected] : cases)
        EXPECT_EQ(withFeatureDisabled(flags, "PaintHolding"), expected) << flags;
}

// Only a GPU the user switched off moves the frames to the software scene graph, and a
// backend the user names always wins.
TEST(WebEngineFlags, SoftwareSceneGraphOnlyWithoutGpuAndWithoutUserChoice)
{
    qunsetenv("QT_QUICK_BACKEND");
    qunsetenv("QSG_RHI_BACKEND");
    EXPECT_TRUE(wantsSoftwareSceneGraph("--no-sandbox --disable-gpu"));
    EXPECT_FALSE(wantsSoftwareSceneGraph("--no-sandbox"));
    EXPECT_FALSE(wantsSoftwareSceneGraph("--disable-gpu-compositing"));
    qputenv("QSG_RHI_BACKEND", "opengl");
    EXPECT_FALSE(wantsSoftwareSceneGraph("--disable-gpu"));
    qunsetenv("QSG_RHI_BACKEND");
    qputenv("QT_QUICK_BACKEND", "software");
    EXPECT_FALSE(wantsSoftwareSceneGraph("--disable-gpu"));
    qunsetenv("QT_QUICK_BACKEND");
}
