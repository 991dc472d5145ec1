// TPicture: a graphic of any kind, chosen by the file's extension.
#include "classlib/graphics/Picture.h"

#include "classlib/graphics/JpegImage.h"
#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/Streams.h"

#include <filesystem>

namespace {

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::unique_ptr<TGraphic> NewGraphicForFile(const std::string& path)
{
    const std::string extension = std::filesystem::path(path).extension().string();
    const std::string lower = LowerAscii(extension);
    if (lower == ".bmp") return std::make_unique<TBitmap>();
    if (lower == ".jpg" || lower == ".jpeg") return std::make_unique<TJPEGImage>();
    if (lower == ".png") return std::make_unique<TPngImage>();
    const std::string bare = extension.empty() ? extension : extension.substr(1);
    throw EInvalidGraphic("Unknown picture file extension (." + bare + ")");
}

// A new graphic of the same class as source, holding a copy of it.
std::unique_ptr<TGraphic> CopyOf(const TGraphic& source)
{
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TJPEGImage*>(&source))
        copy = std::make_unique<TJPEGImage>();
    else if (dynamic_cast<const TPngImage*>(&source))
        copy = std::make_unique<TPngImage>();
    else if (dynamic_cast<const TBitmap*>(&source))
        copy = std::make_unique<TBitmap>();
    else
        throw EConvertError("Cannot assign a " + source.ClassName() + " to a TPicture.");
    copy->Assign(&source);
    return copy;
}

}  // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) {
            if (OnChange) OnChange(this);
        };
    if (OnChange) OnChange(this);
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const std::string& path)
{
    // The old graphic stays until the new one has loaded.
    std::unique_ptr<TGraphic> graphic = NewGraphicForFile(path);
    graphic->LoadFromFile(path);
    SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& path)
{
    if (!FGraphic) throw EInvalidGraphic("Cannot save an empty picture");
    FGraphic->SaveToFile(path);
}

void TPicture::Assign(const TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this) SetGraphic(picture->FGraphic ? CopyOf(*picture->FGraphic) : nullptr);
        return;
    }
    if (auto graphic = dynamic_cast<const TGraphic*>(source)) {
        if (graphic != FGraphic.get()) SetGraphic(CopyOf(*graphic));
        return;
    }
    TPersistent::Assign(source);
}
