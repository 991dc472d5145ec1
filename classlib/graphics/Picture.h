// TPicture: holds one graphic of any kind.
#pragma once

#include "classlib/graphics/Bitmap.h"

#include <memory>
#include <string>

// Holds one graphic of any kind; LoadFromFile picks the kind by the file's extension.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The graphic as a bitmap; replaces a graphic of another kind by an empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TGraphic> FGraphic;
};
