// Colour packing and mixing.
#include "core/CMGeometry.h"

#include <gtest/gtest.h>

TEST(Colour, PackingAndMixing)
{
    const CMColour red(16711680);
    EXPECT_DOUBLE_EQ(red.red, 1.0);
    EXPECT_EQ(red.Pack(), 0xFF0000);
    EXPECT_EQ(CMColour(0.999, 0.5, 0.0).Pack(), 254 << 16 | 127 << 8);  // truncated
    EXPECT_EQ(CMColour(1.0, 1.0, 0.95).Pack(), 0xFFFFF2);

    const CMColour grey = CMColour::Mix(CMColour(0, 0, 0), 0xFFFFFF);
    EXPECT_EQ(grey.Pack(), 0x7F7F7F);
    const CMColour mixed = CMColour::Mix(CMColour(0.2, 0.4, 0.6), CMColour(0.4, 0.0, 0.2));
    EXPECT_NEAR(mixed.red, 0.3, 1e-12);
    EXPECT_NEAR(mixed.green, 0.2, 1e-12);
    EXPECT_NEAR(mixed.blue, 0.4, 1e-12);
}
