// The theme manager passes its style to the components it lists.
#include "skin/SkThemeManager.h"

#include "skin/SkFileTheme.h"
#include "skin/SkStyleApply.h"
#include "skin/SkStyledControl.h"

void TskThemeManager::SetUIStyle(TskUIStyle value)
{
    if (value == FUIStyle) return;
    FUIStyle = value;
    Apply();
}

void TskThemeManager::SetFileTheme(TskFileTheme* value)
{
    if (value == FFileTheme) return;
    if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
    FFileTheme = value;
    if (FFileTheme) FFileTheme->FreeNotification(this);
}

void TskThemeManager::Apply()
{
    TComponent* form = Owner();
    if (!form || Loading() || Destroying()) return;
    for (const std::string& name : FComponents) {
        TComponent* component = form->FindComponent(name);
        if (!IsHasProperty(component, "FileTheme") || !IsHasProperty(component, "UIStyle")) continue;
        if (auto* styled = dynamic_cast<TskStyledControl*>(component)) {
            styled->SetFileTheme(FFileTheme);
            styled->SetUIStyle(FUIStyle);
        }
    }
}

void TskThemeManager::Loaded()
{
    TComponent::Loaded();
    Apply();
}

void TskThemeManager::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    // A theme file that goes away leaves nothing to read.
    if (operation == opRemove && component == FFileTheme) FFileTheme = nullptr;
}
