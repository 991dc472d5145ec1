// The pointer shape the platform shows.
#include "classlib/windowing/private/PointerShape.h"

#include "classlib/windowing/MessageQueue.h"
#include "classlib/windowing/private/InputQueue.h"
#include "classlib/windowing/private/WindowObject.h"
#include "classlib/windowing/WindowInput.h"

void ApplyPointerShape()
{
    TInputState& state = InputState();
    TWindowObject* root = RootOf(FindWindowObject(state.Capture));
    if (!root) root = FindWindowObject(state.PointerRoot);
    if (!root || !root->Native) return;
    const platform::PointerShape shape =
        state.Cursor == 0 ? platform::PointerShape::None : static_cast<platform::PointerShape>(state.Cursor - 1);
    Platform().SetPointer(root->Native, shape);
}
