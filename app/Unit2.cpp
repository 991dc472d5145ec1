#include "app/Unit2.h"

#include "app/SettingsStore.h"
#include "classlib/system/LoadingScope.h"

TSettings* Settings = nullptr;

TSettings::TSettings(TComponent* AOwner) : TForm(AOwner)
{
    {
        TLoadingScope loading(*this);
        BuildSettings(*this);
    }
    // A key without a usable "Style" raises here and abandons the dialog.
    MotionStyle = ReadMotionStyle();
}

TSettings::~TSettings()
{
    if (Settings == this) Settings = nullptr;
}

void TSettings::FormCreate(TObject* Sender)
{
}
