// The theme manager: one style and theme file for a list of named components of
// its form, set on all of them whenever its own style changes.
#pragma once

#include "classlib/system/Component.h"
#include "skin/SkUIStyle.h"

#include <string>
#include <vector>

class TskFileTheme;

class TskThemeManager : public TComponent {
public:
    explicit TskThemeManager(TComponent* AOwner) : TComponent(AOwner) {}

    TskUIStyle UIStyle() const { return FUIStyle; }
    // A new style is set, with FileTheme, on every listed component that takes one.
    void SetUIStyle(TskUIStyle value);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* value);
    // Names of components owned by the manager's owner (the form).
    const std::vector<std::string>& Components() const { return FComponents; }
    void SetComponents(std::vector<std::string> names) { FComponents = std::move(names); }
    // Sets FileTheme and UIStyle on every listed component that publishes both.
    void Apply();

protected:
    // A style stored by a form description is applied once the form is built.
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    std::vector<std::string> FComponents;
};
