// The saver window's form description.
#include "app/Unit1.h"
#include "dateclock/DcClock.h"
#include "dateclock/DcPanels.h"
#include "ledclock/DmLedClock.h"

void BuildForm1(TForm1& form)
{
    using namespace std::placeholders;
    form.SetLeft(291);
    form.SetTop(352);
    form.SetClientWidth(354);
    form.SetClientHeight(346);
    form.SetBorderStyle(bsNone);
    form.SetCaption("Form1");
    form.SetColor(clNone);
    form.SetOldCreateOrder(false);
    form.OnClose = std::bind(&TForm1::FormClose, &form, _1, _2);
    form.OnCreate = std::bind(&TForm1::FormCreate, &form, _1);
    form.OnKeyDown = std::bind(&TForm1::FormKeyDown, &form, _1, _2, _3);
    form.OnMouseDown = std::bind(&TForm1::FormMouseDown, &form, _1, _2, _3, _4, _5);
    form.OnMouseMove = std::bind(&TForm1::FormMouseMove, &form, _1, _2, _3, _4);
    form.OnMouseWheel = std::bind(&TForm1::FormMouseWheel, &form, _1, _2, _3, _4, _5);

    TDcBackPanel& panel = form.Create<TDcBackPanel>();
    form.DcBackPanel1 = &panel;
    panel.SetName("DcBackPanel1");
    panel.SetParent(&form);
    panel.SetLeft(0);
    panel.SetTop(0);
    panel.SetWidth(353);
    panel.SetHeight(345);
    panel.Bevel()->SetMode(bmCustom);
    panel.SetColor(clBlack);
    panel.SetTransparent(true);
    panel.SetTabOrder(0);

    TDmLedClock& led = form.Create<TDmLedClock>();
    form.DmLedClock1 = &led;
    led.SetName("DmLedClock1");
    led.SetParent(&panel);
    led.SetLeft(0);
    led.SetTop(0);
    led.SetWidth(353);
    led.SetHeight(345);
    led.SetThreaded(true);
    led.SetActive(true);
    led.SetHourFormat(hfmt24h);
    led.SetHours(17);
    led.SetMinutes(36);
    led.SetSeconds(15);
    led.SetLedSize(6);
    led.SetSpacing(20);
    led.SetTextOffsetX(25);
    led.SetTextOffsetY(-10);
    led.SetTextAngle(5);

    TDcClock& date = form.Create<TDcClock>();
    form.DcClock1 = &date;
    date.SetName("DcClock1");
    date.SetParent(&panel);
    date.SetLeft(80);
    date.SetTop(205);
    date.SetWidth(169);
    date.SetHeight(21);
    date.SetMode(cmDate);
    date.SetDigitalOnly(true);
    date.SetCustomDateTimeFormat("hh:nn:ss");
    date.Digital()->SetActiveColor(clRed);
    date.Digital()->SetInActiveColor(clBlack);
    date.Digital()->SetHorzsize(8);
    date.Digital()->SetVertsize(7);
    date.Digital()->SetThickness(1);
    date.HourHand()->SetColor(clAqua);
    date.HourHand()->SetThickness(5);
    date.MinuteHand()->SetColor(clTeal);
    date.MinuteHand()->SetThickness(3);
    date.SecondHand()->SetThickness(1);
    date.Bevel()->SetMode(bmCustom);
    date.SetTransparent(true);
}
