// What every skinned control offers to the code that passes styles around
// (ContainerApplyUIStyle, the theme manager, GetSkFormStyle).
#pragma once

#include "skin/SkUIStyle.h"

class TskFileTheme;

// Implemented beside the class library base by each skinned control:
//
//     class TskButton : public TskCustomButton, public TskStyledControl { ... };
//
// and its published property names registered for IsHasProperty (SkStyleApply.h),
// since only a class that publishes both "FileTheme" and "UIStyle" takes a style
// passed down by its container.
class TskStyledControl {
public:
    virtual ~TskStyledControl() = default;

    virtual TskFileTheme* FileTheme() const = 0;
    virtual void SetFileTheme(TskFileTheme* value) = 0;
    virtual TskUIStyle UIStyle() const = 0;
    // Re-reads every style-controlled property and repaints.
    virtual void SetUIStyle(TskUIStyle value) = 0;

    // True for the form panel that skins its host form: controls created on
    // that host start in its style.
    virtual bool IsSkinnedForm() const { return false; }
};
