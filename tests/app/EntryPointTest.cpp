// The entry point: which form the first argument makes the main form, and
// the failures that escape form creation.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "classlib/forms/Application.h"
#include "tests/app/VelmoraSession.h"

#include <gtest/gtest.h>

namespace {

enum class TMainForm { None, Saver, Preview, Settings };

// Which form is the main form, checked against the three globals: only the
// chosen mode's global is set, and it holds the main form.
TMainForm ObservedMainForm()
{
    TCustomForm* main = Application->MainForm();
    const int set = (Form1 != nullptr) + (Preview != nullptr) + (Settings != nullptr);
    if (!main || set != 1) return TMainForm::None;
    if (main == Form1 && dynamic_cast<TForm1*>(main)) return TMainForm::Saver;
    if (main == Preview && dynamic_cast<TPreview*>(main)) return TMainForm::Preview;
    if (main == Settings && dynamic_cast<TSettings*>(main)) return TMainForm::Settings;
    return TMainForm::None;
}

}  // namespace

TEST(EntryPointTest, TheFirstArgumentChoosesTheMainForm)
{
    struct Case {
        std::vector<std::string> Arguments;
        TMainForm Expected;
    };
    const Case cases[] = {
        {{}, TMainForm::Saver},
        {{"/s"}, TMainForm::Saver},
        {{"/S"}, TMainForm::Saver},
        {{"/p", "4711"}, TMainForm::Preview},
        {{"/P", "4711"}, TMainForm::Preview},
        {{"/P"}, TMainForm::Preview},
        {{"/p:4711"}, TMainForm::Saver},
        {{"/c"}, TMainForm::Settings},
        {{"/c:4711"}, TMainForm::Settings},
        {{"/C:4711"}, TMainForm::Saver},
        {{"abc/cde"}, TMainForm::Settings},
        {{"/a"}, TMainForm::Saver},
        {{"/s", "/c"}, TMainForm::Saver},
        {{""}, TMainForm::Saver},
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& a : c.Arguments) name += "[" + a + "]";
        SCOPED_TRACE(name);
        TVelmoraSession session;
        session.Platform.CreateForeignWindow(4711, {100, 100, 252, 212});
        TMainForm observed = TMainForm::None;
        const TRunResult run = session.Run(c.Arguments, [&] {
            observed = ObservedMainForm();
            Application->Terminate();
        });
        EXPECT_EQ(observed, c.Expected);
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(Form1, nullptr);
        EXPECT_EQ(Preview, nullptr);
        EXPECT_EQ(Settings, nullptr);
    }
}

TEST(EntryPointTest, AStyleThatCannotBeReadAbandonsTheFormWithOneErrorBox)
{
    struct Case {
        const char* Name;
        std::string ValueLines;
        std::string Box;
    };
    const Case cases[] = {
        {"key without Style", "", "Failed to get data for 'Style'."},
        {"three-character string", "\"Style\"=\"abc\"\n", "Invalid data type for 'Style'."},
        {"longer string", "\"Style\"=\"moving\"\n", "Failed to get data for 'Style'."},
    };
    for (const Case& c : cases) {
        for (const char* mode : {"/s", "/c"}) {
            SCOPED_TRACE(std::string(c.Name) + " " + mode);
            TVelmoraSession session;
            session.WriteStyleKey(c.ValueLines);
            const TRunResult run = session.Run({mode});
            EXPECT_FALSE(run.LoopStarted);
            EXPECT_EQ(run.ExitCode, 0);
            EXPECT_EQ(run.Boxes, std::vector<std::string>{c.Box});
            // Nothing but the error box was ever shown.
            for (platform::WindowId w : session.Platform.Windows()) {
                const auto* window = session.Platform.Window(w);
                EXPECT_TRUE(window->isMessageBox || window->presentCount == 0);
            }
            EXPECT_EQ(Form1, nullptr);
            EXPECT_EQ(Settings, nullptr);
        }
    }
}

TEST(EntryPointTest, TheErrorBoxIsCaptionedWithTheExecutablesName)
{
    TVelmoraSession session;
    session.WriteStyleKey("");
    session.Run({});
    ASSERT_EQ(session.Platform.MessageBoxes().size(), 1u);
    EXPECT_EQ(session.Platform.MessageBoxes()[0].caption, "velmora");
}

TEST(EntryPointTest, TheSettingsDialogShowsAndClosesThroughItsTitleBar)
{
    TVelmoraSession session;
    platform::WindowParams shown;
    bool visible = false;
    const TRunResult run = session.Run({"/c"}, [&] {
        session.At(20, [&] {
            const platform::WindowId window = session.MainWindow();
            ASSERT_NE(window, 0u);
            shown = session.Platform.Window(window)->params;
            visible = session.Platform.Window(window)->visible;
            session.Platform.InjectCloseRequest(window);
        });
    });
    EXPECT_TRUE(visible);
    EXPECT_EQ(shown.caption, "Velmora Screensaver 1.0");
    EXPECT_EQ(shown.bounds.width(), 303);
    EXPECT_EQ(shown.bounds.height(), 378);
    EXPECT_TRUE(run.EndedByItself);
    EXPECT_EQ(run.ExitCode, 0);
}
