#include "classlib/graphics/Color.h"
#include "classlib/system/Exceptions.h"

#include <gtest/gtest.h>

TEST(Color, SystemColoursResolveThroughTheTable)
{
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), 0);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(SystemColor(255)), 0); // an undefined index gives 0
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(clBtnFace, TColorOf(0x8000000F));
}

TEST(Color, NameTableKeepsItsOrderAndRoundTrips)
{
    ASSERT_EQ(ColorNameCount(), 52);
    EXPECT_STREQ(ColorNameAt(0).Name, "clBlack");
    EXPECT_STREQ(ColorNameAt(15).Name, "clWhite");
    EXPECT_STREQ(ColorNameAt(16).Name, "clMoneyGreen");
    EXPECT_STREQ(ColorNameAt(29).Name, "clDefault");
    EXPECT_STREQ(ColorNameAt(45).Name, "clNone");
    EXPECT_STREQ(ColorNameAt(51).Name, "clWindowText");
    for (int i = 0; i < ColorNameCount(); ++i) {
        TColor c = 0;
        ASSERT_TRUE(IdentToColor(ColorNameAt(i).Name, c));
        EXPECT_EQ(c, ColorNameAt(i).Value);
        EXPECT_EQ(ColorToString(c), ColorNameAt(i).Name);
    }
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("CLRED"), clRed);
}
