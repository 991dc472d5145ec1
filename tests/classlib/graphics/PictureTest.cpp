// TPicture: choosing the graphic by file extension, failed loads, Bitmap() and Assign.
#include "classlib/graphics/JpegImage.h"
#include "classlib/graphics/Picture.h"
#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace {

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        TBitmap picture;
        PaintTestPicture(picture, 20, 10);
        picture.SaveToFile(Dir.File("a.bmp"));
        SavePng(picture.Surface(), Dir.File("a.png"));
        TJPEGImage jpeg;
        jpeg.Assign(&picture);
        jpeg.SaveToFile(Dir.File("a.jpg"));
        jpeg.SaveToFile(Dir.File("b.JPEG"));
    }
    TTempFolder Dir;
};

TEST_F(PictureFiles, LoadFromFileChoosesTheGraphicByExtension)
{
    struct Case {
        const char* File;
        std::function<bool(TGraphic*)> IsRightKind;
    };
    const Case cases[] = {
        {"a.bmp", [](TGraphic* g) { return dynamic_cast<TBitmap*>(g) != nullptr; }},
        {"a.png", [](TGraphic* g) { return dynamic_cast<TPngImage*>(g) != nullptr; }},
        {"a.jpg", [](TGraphic* g) { return dynamic_cast<TJPEGImage*>(g) != nullptr; }},
        {"b.JPEG", [](TGraphic* g) { return dynamic_cast<TJPEGImage*>(g) != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        TPicture picture;
        int changes = 0;
        picture.OnChange = [&](TObject*) { ++changes; };
        picture.LoadFromFile(Dir.File(c.File));
        EXPECT_TRUE(c.IsRightKind(picture.Graphic()));
        EXPECT_EQ(picture.Width(), 20);
        EXPECT_EQ(picture.Height(), 10);
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(PictureFiles, FailedLoadsKeepTheOldGraphic)
{
    TPicture picture;
    picture.LoadFromFile(Dir.File("a.png"));
    TGraphic* before = picture.Graphic();
    try {
        picture.LoadFromFile(Dir.File("a.xyz"));
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    std::filesystem::copy_file(Dir.File("a.png"), Dir.File("png-inside.bmp"));
    EXPECT_THROW(picture.LoadFromFile(Dir.File("png-inside.bmp")), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(Dir.File("missing.bmp")), EFOpenError);
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Width(), 20);
}

TEST_F(PictureFiles, AssignCopiesAndBitmapReplacesOtherKinds)
{
    TPicture jpegPicture;
    jpegPicture.LoadFromFile(Dir.File("a.jpg"));
    TPicture copy;
    copy.Assign(&jpegPicture);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(copy.Graphic()), nullptr);
    EXPECT_NE(copy.Graphic(), jpegPicture.Graphic());
    EXPECT_EQ(copy.Width(), 20);

    // The copy tells its own picture about changes, not the original's.
    int originalChanges = 0, copyChanges = 0;
    jpegPicture.OnChange = [&](TObject*) { ++originalChanges; };
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.Graphic()->SetSize(5, 5);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(originalChanges, 0);

    TBitmap* bitmap = copy.Bitmap();
    EXPECT_EQ(copy.Graphic(), bitmap);
    EXPECT_TRUE(bitmap->Empty());

    copy.Assign(nullptr);
    EXPECT_EQ(copy.Graphic(), nullptr);
    EXPECT_THROW(copy.SaveToFile(Dir.File("empty.bmp")), EInvalidGraphic);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("empty.bmp")));
}

}  // namespace
