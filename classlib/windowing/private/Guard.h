// Included first by every header of this folder: the windowing module's
// internals are compiled only into the module itself, which defines
// VELMORA_WINDOWING_INTERNAL for its own files and nobody else's.
#pragma once

#ifndef VELMORA_WINDOWING_INTERNAL
#error "classlib/windowing/private holds the windowing module's internals; only its own files include them"
#endif
