#include "platform/WebEngineEnvironment.h"

#include <gtest/gtest.h>

using tessaly::wantsSoftwareSceneGraph;
using tessaly::withFeatureDisabled;

// The engine reads only the last --disable-features: a feature the program switches off
// must join the user's list there, never replace it.
TEST(WebEngineFlags, FeatureJoinsTheLastDisableSwitchOrGetsOneOfItsOwn)
{
    EXPECT_EQ(withFeatureDisabled("", "PaintHolding"), "--disable-features=PaintHolding");
    EXPECT_EQ(withFeatureDisabled("--no-sandbox  --disable-gpu", "PaintHolding"),
              "--no-sandbox --disable-gpu --disable-features=PaintHolding");
    EXPECT_EQ(withFeatureDisabled("--disable-features=A --x --disable-features=B,C", "PaintHolding"),
              "--disable-features=A --x --disable-features=B,C,PaintHolding");
    EXPECT_EQ(withFeatureDisabled("--disable-features=", "PaintHolding"),
              "--disable-features=PaintHolding");
    // Named already: nothing changes.
    EXPECT_EQ(withFeatureDisabled("--disable-features=PaintHolding,B", "PaintHolding"),
              "--disable-features=PaintHolding,B");
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
