#include "platform/WebEngineEnvironment.h"

#include <gtest/gtest.h>

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
