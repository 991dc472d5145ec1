// The settings dialog's form description.
#include "app/Unit2.h"

void BuildSettings(TSettings& form)
{
    using namespace std::placeholders;
    form.SetLeft(362);
    form.SetTop(221);
    form.SetClientWidth(303);
    form.SetClientHeight(378);
    form.SetBorderStyle(bsDialog);
    form.SetCaption("Velmora Screensaver 1.0");
    form.SetColor(clBtnFace);
    form.Constraints()->SetMinWidth(130);
    form.Constraints()->SetMinHeight(50);
    form.Font()->SetName("MS Sans Serif");
    form.Font()->SetHeight(-11);
    form.Font()->SetColor(clWindowText);
    form.SetScaled(false);
    form.SetOldCreateOrder(false);
    form.OnCreate = std::bind(&TSettings::FormCreate, &form, _1);
}
