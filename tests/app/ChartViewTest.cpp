// The transposition the chart view draws with: its own, plus that of the key kind.
#include "app/ChartView.h"
#include "settings/CMZimbrelIni.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ChartView, DisplayedTransposition)
{
    EXPECT_EQ(DisplayedTransposition(0, InstrumentConcert, 5), 0);
    EXPECT_EQ(DisplayedTransposition(0, InstrumentBFlat, 5), 2);  // two semitones up
    EXPECT_EQ(DisplayedTransposition(0, InstrumentEFlat, 5), -3);
    EXPECT_EQ(DisplayedTransposition(0, InstrumentUserKey, 5), 5);
    EXPECT_EQ(DisplayedTransposition(-7, InstrumentUserKey, -7), -14);
    EXPECT_EQ(DisplayedTransposition(3, InstrumentUserKey, INT_MAX), 8);  // outside: the default, 5
    EXPECT_EQ(DisplayedTransposition(3, InstrumentNumbers, 5), 3);        // numerals do not move
    EXPECT_EQ(DisplayedTransposition(3, 9, 5), 3);  // an unknown kind adds nothing
}
