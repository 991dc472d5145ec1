// The standard error box: its text rule, caption, log line and where the
// class library shows it.
#include "classlib/forms/ErrorBox.h"
#include "tests/support/HeadlessFixture.h"

#include <string>
#include <utility>
#include <vector>

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"Failed to get data for 'Style'", "Failed to get data for 'Style'."},  // the apostrophe sorts after '.'
        {"Unable to write to /x/Zundera.ini", "Unable to write to /x/Zundera.ini."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},          // '!' sorts before '.'
        {"(see above)", "(see above)"},
        {"a-", "a-"},
        {"path/", "path/."},         // '/' sorts right after '.'
        {"code 5", "code 5."},
        {"'' is not a valid integer value", "'' is not a valid integer value."},
        {"System Error.  Code: 1400.\r\nInvalid window handle.", "System Error.  Code: 1400.\r\nInvalid window handle."},
        {"Gr\xC3\xBC\xC3\x9F", "Gr\xC3\xBC\xC3\x9F."},  // bytes above 0x7F sort after '.'
    };
    for (const auto& [message, shown] : cases) EXPECT_EQ(ErrorBoxText(message), shown) << message;
}

TEST(ErrorBoxText, TitleComesFromTheExecutableName)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/usr/lib/velmora/velmora", "velmora"},
        {"/opt/VELMORA.SCR", "Velmora"},
        {"/x/Saver.v2.bin", "Saver"},
        {"/x/a", "a"},
        {"relative/ZUNDERA", "Zundera"},
    };
    for (const auto& [exe, title] : cases) EXPECT_EQ(TApplication::TitleFromExeName(exe), title) << exe;
}

TEST_F(HeadlessTest, HandlerErrorsAreShownLoggedAndTheLoopGoesOn)
{
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 50, 50);
    int clicks = 0;
    form.OnClick = [&](TObject*) {
        if (++clicks == 1) throw EConvertError("'x' is not a valid integer value");
        if (clicks == 2) throw 42;  // not an exception of ours: an empty message
    };
    ShowAndSettle(form);
    app->SetTitle("Velmora");
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) {
        hp.InjectClick(NativeOf(form), 10, 10);
        app->ProcessMessages();
        RunFor(600);  // apart, so no double click
    }
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(clicks, 3);
    ASSERT_EQ(hp.MessageBoxes().size(), 2u);
    const auto& box = hp.MessageBoxes()[0];
    EXPECT_EQ(box.caption, "Velmora");
    EXPECT_EQ(box.text, "'x' is not a valid integer value.");
    EXPECT_EQ(hp.MessageBoxes()[1].text, "");
    EXPECT_EQ(log, "Velmora: 'x' is not a valid integer value.\nVelmora: \n");
    // The box was drawn: its face and its red icon are in its first frame.
    ASSERT_GT(box.width, 100);
    ASSERT_EQ(box.pixels.size(), static_cast<size_t>(box.width) * box.height);
    EXPECT_EQ(box.pixels[static_cast<size_t>(3 + 28) * box.width + 3 + 15], 0xE02020u) << "icon at (12,12)+(16,16) of the client";
    EXPECT_NE(std::count(box.pixels.begin(), box.pixels.end(), Px(clBtnFace)), 0);
}

TEST_F(HeadlessTest, CreationHandlerErrorIsShownAndTheFormIsStillMade)
{
    class TFailingForm : public TForm {
    public:
        explicit TFailingForm(TComponent* owner) : TForm(owner)
        {
            SetBorderStyle(bsNone);
            SetVisible(true);  // as a description with Visible True
            OnCreate = [](TObject*) { throw Exception("creation failed"); };
        }
    };
    TFailingForm* form = nullptr;
    app->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app->MainForm(), form);
    EXPECT_TRUE(form->Showing());
    ASSERT_EQ(hp.MessageBoxes().size(), 1u);
    EXPECT_EQ(hp.MessageBoxes()[0].text, "creation failed.");
}
