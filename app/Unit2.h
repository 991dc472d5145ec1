// TSettings: the settings dialog. For now a plain fixed-size dialog with its
// caption; it reads the motion style as it is built and closes through its
// title bar. The skinned pages come later.
#pragma once

#include "classlib/forms/Form.h"

#include <cstdint>

class TSettings : public TForm {
public:
    explicit TSettings(TComponent* AOwner);
    ~TSettings() override;

    void FormCreate(TObject* Sender);

private:
    // The style read at construction, later the style to save.
    int32_t MotionStyle = 0;
};

extern TSettings* Settings;

// The form description, run inside the form's loading scope.
void BuildSettings(TSettings& form);
