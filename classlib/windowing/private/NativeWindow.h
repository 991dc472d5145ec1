// The platform window that shows a top-level window.
#pragma once

#include "classlib/windowing/private/Guard.h"

struct TWindowObject;

// True when the platform draws the window's caption and frame.
bool NativelyDecorated(const TWindowObject* w);
// (Re)creates the native window of a top-level window from its style.
void CreateNativeFor(TWindowObject* w);
void DestroyNativeFor(TWindowObject* w);
void SyncNativeBounds(TWindowObject* w);
