#include "classlib/controls/Timer.h"
#include "tests/support/HeadlessFixture.h"

TEST_F(HeadlessTest, FormShowsAndPaintsItsColour)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetBounds(10, 20, 100, 50);
    form.SetColor(clRed);
    ShowAndSettle(form);
    EXPECT_EQ(Pixel(form, 5, 5), Px(clRed));
    EXPECT_EQ(hp.ActiveWindow(), NativeOf(form));
}
