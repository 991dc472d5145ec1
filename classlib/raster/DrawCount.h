// Counts, per thread, the drawing operations that may write pixels (every
// raster target made and every run of text drawn). The windowing layer reads
// it around a paint handler to tell whether the handler drew anything.
#pragma once

#include <cstdint>

namespace Raster {
inline thread_local uint64_t tDrawOperations = 0;
inline void CountDrawOperation() { ++tDrawOperations; }
}  // namespace Raster
