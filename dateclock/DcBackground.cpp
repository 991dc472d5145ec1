#include "dateclock/DcBackground.h"

#include "classlib/controls/WinControl.h"

IDcBackgroundProvider* DcBackgroundProviderOf(TControl* control)
{
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent) return nullptr;
    if (auto provider = dynamic_cast<IDcBackgroundProvider*>(parent)) return provider;
    for (int i = 0; i < parent->ComponentCount(); ++i) {
        TComponent* component = parent->Components(i);
        if (dynamic_cast<TControl*>(component)) continue;
        if (auto provider = dynamic_cast<IDcBackgroundProvider*>(component)) return provider;
    }
    return nullptr;
}

bool DcBackBitmapCheck(TControl* control)
{
    IDcBackgroundProvider* provider = DcBackgroundProviderOf(control);
    return provider && provider->BackBitmapCheck();
}

bool DcBackDrawArea(TControl* control, TCanvas* canvas, const TRect& dest)
{
    IDcBackgroundProvider* provider = DcBackgroundProviderOf(control);
    if (!provider || !provider->BackBitmapCheck()) return false;
    provider->BackDrawArea(canvas, dest, control->BoundsRect());
    return true;
}

bool DcThemesActive()
{
    return false;
}
