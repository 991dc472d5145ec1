// The contact sheet: the settings dialog as the MacOS and Protein art make it
// up, each style's pieces assembled, and every skin bitmap magnified with its
// name, grouped by style. Magenta, the see-through colour, shows as a checkerboard.
#pragma once

#include "tools/skinart/ArtCatalogue.h"

#include <string>
#include <vector>

namespace art {

void WriteContactSheet(const std::vector<ArtPicture>& pictures, const std::string& path);

}  // namespace art
