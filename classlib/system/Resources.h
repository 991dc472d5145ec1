// Resources compiled into the executable: every file resources/<TYPE>/<NAME>.<ext>
// becomes the resource NAME of type TYPE, found here by name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct TResourceData {
    const unsigned char* Data = nullptr;
    std::size_t Size = 0;
};

// The resource's bytes, or nothing when no resource has that name and type
// (both compared without regard to case).
std::optional<TResourceData> FindResource(const std::string& name, const std::string& type);

// The type under which bitmaps are stored (as complete .bmp files).
inline constexpr const char* RT_BITMAP = "BITMAP";
