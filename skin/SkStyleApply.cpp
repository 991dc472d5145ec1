// Passing styles from forms and containers to skinned controls.
#include "skin/SkStyleApply.h"

#include "classlib/forms/Application.h"
#include "skin/SkStyledControl.h"

TskUIStyle GetSkFormStyle(TComponent* Owner)
{
    auto* form = dynamic_cast<TCustomForm*>(Owner);
    if (!form) return TskUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i) {
        auto* styled = dynamic_cast<TskStyledControl*>(form->Controls(i));
        if (styled && styled->IsSkinnedForm()) return styled->UIStyle();
    }
    return TskUIStyle::DeepBlue;
}

void ContainerApplyUIStyle(TWinControl* Container, TskUIStyle UIStyle, TskFileTheme* FileTheme)
{
    if (!Container) return;
    // The count is read again each time: a child's new style may change the children.
    for (int i = 0; i < Container->ControlCount(); ++i) {
        TControl* child = Container->Controls(i);
        if (!IsHasProperty(child, "FileTheme") || !IsHasProperty(child, "UIStyle")) continue;
        auto* styled = dynamic_cast<TskStyledControl*>(child);
        if (!styled) continue;
        styled->SetFileTheme(FileTheme);
        styled->SetUIStyle(UIStyle);
    }
}

bool IsHasProperty(const TPersistent* Component, const std::string& Name)
{
    return PublishesProperty(Component, Name);
}
