// How a style reaches a control: the style a new control starts in, passing a
// style to a container's children, and the by-name property question that
// decides which children take it.
#pragma once

#include "classlib/system/PublishedProperties.h"
#include "skin/SkUIStyle.h"

#include <string>

class TComponent;
class TPersistent;
class TWinControl;
class TskFileTheme;

// The UIStyle of the first skinned form panel among the direct child controls of
// Owner when Owner is a form; DeepBlue otherwise. Skinned controls call it in
// their constructor.
TskUIStyle GetSkFormStyle(TComponent* Owner);

// For each direct child control of Container, in child order, that publishes
// both "FileTheme" and "UIStyle": sets FileTheme, then UIStyle. Grandchildren are
// reached only through children that forward the style themselves.
void ContainerApplyUIStyle(TWinControl* Container, TskUIStyle UIStyle, TskFileTheme* FileTheme);

// True when Component's class publishes a property of that name (registered
// with RegisterPublishedProperties<T>({...}) from classlib/system/PublishedProperties.h).
bool IsHasProperty(const TPersistent* Component, const std::string& Name);
