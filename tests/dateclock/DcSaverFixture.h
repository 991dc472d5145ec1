// A form like the saver's: a black back panel carrying the date line, on
// the headless backend with a wall clock the test sets.
#pragma once

#include "classlib/forms/Application.h"
#include "classlib/system/DateUtils.h"
#include "classlib/system/FormatSettings.h"
#include "classlib/system/LoadingScope.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcPanels.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>

class TDateLineForm : public TForm {
public:
    explicit TDateLineForm(TComponent* AOwner) : TForm(AOwner)
    {
        {
            TLoadingScope loading(*this);
            SetBorderStyle(bsNone);
            SetColor(clBlue);
            SetBounds(0, 0, 400, 360);
            Panel = &Create<TDcBackPanel>();
            static_cast<TControl*>(Panel)->SetParent(this); // TWinControl hides SetParent
            Panel->SetBounds(0, 0, 353, 345);
            Panel->Bevel()->SetMode(bmCustom);
            Panel->SetColor(clBlack);
            Panel->SetTransparent(true);
            Clock = &Create<TDcClock>();
            Clock->SetParent(Panel);
            Clock->SetBounds(80, 205, 169, 21);
            Clock->SetMode(cmDate);
            Clock->SetDigitalOnly(true);
            Clock->SetCustomDateTimeFormat("hh:nn:ss");
            Clock->Digital()->SetActiveColor(clRed);
            Clock->Digital()->SetInActiveColor(clBlack);
            Clock->Digital()->SetHorzsize(8);
            Clock->Digital()->SetVertsize(7);
            Clock->Digital()->SetThickness(1);
            Clock->HourHand()->SetColor(clAqua);
            Clock->HourHand()->SetThickness(5);
            Clock->MinuteHand()->SetColor(clTeal);
            Clock->MinuteHand()->SetThickness(3);
            Clock->SecondHand()->SetThickness(1);
            Clock->Bevel()->SetMode(bmCustom);
            Clock->SetTransparent(true);
        }
        Clock->Digital()->SetActiveColor(clRed);
        Clock->Digital()->SetInActiveColor(0);
    }

    TDcBackPanel* Panel = nullptr;
    TDcClock* Clock = nullptr;
};

class DateLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetPlatform(&hp);
        // A user whose regional short date is m/d/yyyy, as the pictures show.
        FSavedSettings = FormatSettings();
        TFormatSettings settings = TFormatSettings::Defaults();
        settings.ShortDateFormat = "m/d/yyyy";
        SetFormatSettings(settings);
        app = std::make_unique<TApplication>();
        SetNow(EncodeDate(2012, 4, 26) + EncodeTime(17, 36, 15, 0));
        Application->Initialize();
        Application->CreateForm(form);
    }

    void TearDown() override
    {
        app.reset();
        platform::SetPlatform(&TestPlatform());
        SetFormatSettings(FSavedSettings);
    }

    // Sets the backend's wall clock (which Now reads) to a local date and time.
    void SetNow(TDateTime value)
    {
        int y, m, d, h, n, s, ms;
        DecodeDateTime(value, y, m, d, h, n, s, ms);
        hp.SetLocalTime(y, m, d, h, n, s, ms);
    }

    void ShowAndSettle()
    {
        form->Show();
        Application->ProcessMessages();
    }

    // Lets ms pass on the backend's clocks, then handles what is due.
    void Run(uint32_t ms)
    {
        hp.AdvanceClock(ms);
        Application->ProcessMessages();
    }

    // The pixel of the form's window at (x, y), as a TColor.
    TColor FramePixel(int x, int y) const { return PixelToRGB(hp.WindowPixel(hp.TopWindow(), x, y)); }

    platform::HeadlessPlatform hp;
    std::unique_ptr<TApplication> app;
    TDateLineForm* form = nullptr;
    TFormatSettings FSavedSettings;
};
