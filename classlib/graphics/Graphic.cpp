// What every graphic shares: the size limits of decoded pictures, file
// loading and saving through streams, and change notification.
#include "classlib/graphics/Graphic.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"

void CheckGraphicSize(const char* format, int64_t width, int64_t height)
{
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0 || width > MaxGraphicDimension || height > MaxGraphicDimension)
        throw EInvalidGraphic(std::string(format) + " image is not valid: size " + size +
                              " is out of range (1 to " + std::to_string(MaxGraphicDimension) + " pixels each way)");
    if (width * height > MaxGraphicPixels)
        throw EInvalidGraphic(std::string(format) + " image is not valid: size " + size + " is more than " +
                              std::to_string(MaxGraphicPixels) + " pixels");
}

void TGraphic::LoadFromFile(const std::string& path)
{
    TFileStream stream(path, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& path)
{
    // Encoded in memory first, so a picture that cannot be saved leaves an existing file alone.
    TMemoryStream encoded;
    SaveToStream(encoded);
    TFileStream file(path, fmCreate);
    encoded.SaveToStream(file);
}

void TGraphic::SetTransparent(bool value)
{
    if (FTransparent == value) return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange) OnChange(this);
}
