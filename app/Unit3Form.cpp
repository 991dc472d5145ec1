// The preview window's form description.
#include "app/Unit3.h"
#include "dateclock/DcPanels.h"
#include "ledclock/DmLedClock.h"

void BuildPreview(TPreview& form)
{
    using namespace std::placeholders;
    form.SetLeft(352);
    form.SetTop(181);
    form.SetClientWidth(157);
    form.SetClientHeight(108);
    form.SetAnchors(0);
    form.SetBorderStyle(bsNone);
    form.SetCaption("Preview");
    form.SetColor(clNone);
    form.SetTransparentColor(true);
    form.SetTransparentColorValue(clNone);
    form.SetPosition(poDefault);
    form.SetVisible(true);
    form.SetOldCreateOrder(false);
    form.OnCreate = std::bind(&TPreview::FormCreate, &form, _1);

    TDcBackPanel& panel = form.Create<TDcBackPanel>();
    form.DcBackPanel1 = &panel;
    panel.SetName("DcBackPanel1");
    panel.SetParent(&form);
    panel.SetAlign(alClient);
    panel.SetBounds(0, 0, 157, 108);
    panel.Bevel()->SetMode(bmCustom);
    panel.SetColor(clBlack);
    panel.SetTransparent(true);
    panel.SetTabOrder(0);

    TDmLedClock& led = form.Create<TDmLedClock>();
    form.DmLedClock1 = &led;
    led.SetName("DmLedClock1");
    led.SetParent(&panel);
    led.SetAlign(alClient);
    led.SetBounds(0, 0, 157, 108);
    led.SetThreaded(true);
    led.SetActive(true);
    led.SetHourFormat(hfmt24h);
    led.SetHours(9);
    led.SetMinutes(20);
    led.SetSeconds(40);
    led.SetLedSize(1);
    led.SetSpacing(2);
    led.SetSecWidth(1);
    led.SetTickWidth(1);
}
