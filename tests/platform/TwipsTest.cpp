#include "drawing/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>

#include <gtest/gtest.h>

using namespace tessaly;

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, int> cases[] = {
        {0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},        {-0.5, 0},       {-1.5, -2},
        {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {1e12, INT_MAX}, {-1e12, INT_MIN}};
    for (const auto &[value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;

    EXPECT_EQ(roundHalfEven16(32766.5), std::optional<std::int16_t>(32766));
    EXPECT_EQ(roundHalfEven16(-32768.4), std::optional<std::int16_t>(-32768));
    EXPECT_FALSE(roundHalfEven16(32767.6).has_value());
}

TEST(Rounding, ConversionsRoundHalvesToEven)
{
    // Each axis by its own scale.
    const TwipsScale odd{12.0f, 13.0f};
    EXPECT_EQ(odd.pixelsX(174.0f), 14); // 14.5 px
    EXPECT_EQ(odd.pixelsY(32.5f), 2);   // 2.5 px
    EXPECT_FLOAT_EQ(odd.toTwipsX(67.0f), 804.0f);
    EXPECT_FLOAT_EQ(odd.toTwipsY(67.0f), 871.0f);
}

TEST(Rounding, ScaleComesFromTheScreensLogicalDpi)
{
    const TwipsScale none = TwipsScale::fromScreen(nullptr);
    EXPECT_EQ(std::pair(none.PixelTwipsX, none.PixelTwipsY), std::pair(15.0f, 15.0f));

    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const TwipsScale scale = TwipsScale::fromScreen(screen);
    EXPECT_FLOAT_EQ(scale.PixelTwipsX, float(1440.0 / screen->logicalDotsPerInchX()));
    EXPECT_FLOAT_EQ(scale.PixelTwipsY, float(1440.0 / screen->logicalDotsPerInchY()));
}
