// Fonts by family name (fontconfig), glyphs by FreeType, and the glyph cache.
#include "classlib/graphics/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include FT_MODULE_H
#include FT_DRIVER_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <strings.h>
#include <unordered_map>
#include <vector>

namespace {

// Bitmaps beyond this many bytes are not kept; the cache is emptied and refilled
// the next time a font is taken, so a long run never grows without bound.
constexpr size_t MaxCachedGlyphBytes = size_t(8) << 20;
constexpr size_t MaxFontInstances = 32;
// A height of 0 asks for the default size: the library's default font height.
constexpr int DefaultPixelsPerEm = 11;

// The families the interface uses, and the installed families that stand in for
// them when they are missing, best first. For the dialog fonts DejaVu Sans: its
// hints keep 11-pixel text crisp and evenly spaced, and its 11-pixel characters
// sit in the 13-pixel cell the dialog's labels are laid out for (Liberation Sans
// gives 12 and turns grey at that size). Liberation Sans keeps Arial's widths
// and stands in for the narrow Tw Cen MT as well.
constexpr const char* InterfaceFamilies[] = {"DejaVu Sans", "Liberation Sans"};
constexpr const char* MonospaceFamilies[] = {"Liberation Mono", "DejaVu Sans Mono"};

struct TFamilySubstitute {
    const char* Name;
    const char* Substitutes[2];
};
constexpr TFamilySubstitute FamilySubstitutes[] = {
    {"MS Sans Serif", {"DejaVu Sans", "Liberation Sans"}},
    {"Microsoft Sans Serif", {"DejaVu Sans", "Liberation Sans"}},
    {"MS Shell Dlg", {"DejaVu Sans", "Liberation Sans"}},
    {"MS Shell Dlg 2", {"DejaVu Sans", "Liberation Sans"}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans"}},
    {"Verdana", {"DejaVu Sans", "Liberation Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Helvetica", {"Liberation Sans", "DejaVu Sans"}},
    {"Tw Cen MT", {"Liberation Sans", "DejaVu Sans"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Courier", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
    {"Times", {"Liberation Serif", "DejaVu Serif"}},
};

// Fully hinted outlines with gray anti-aliasing.
constexpr FT_Int32 GlyphLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL;

std::atomic<uint64_t> FontLoadCount{0};
std::atomic<uint64_t> RasterisationCount{0};

struct TCachedGlyph {
    TGlyphBitmap Bitmap;
    std::vector<uint8_t> Bits;
};

// A font file chosen by fontconfig, and whether it has the asked-for styles itself.
struct TFaceFile {
    std::string Path;
    int Index = 0;
    std::string Family;
    bool IsBold = false;
    bool IsItalic = false;
};

int RoundToInt(double v)
{
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

} // namespace

// One face at one pixel size and style, with its glyphs.
class TFontInstance {
public:
    ~TFontInstance()
    {
        if (Face) FT_Done_Face(Face);
    }

    // What it was asked for.
    std::string RequestName;
    int RequestHeight = 0;
    bool RequestBold = false;
    bool RequestItalic = false;
    bool RequestFixed = false;
    uint64_t LastUse = 0;
    int Users = 0; // live TFontUse objects of it

    // What it is; no face when no font could be found.
    FT_Face Face = nullptr;
    std::string Family;
    bool SyntheticBold = false;
    bool SyntheticItalic = false;
    int PixelsPerEm = 0;
    TFontMetrics Metrics;
    std::unordered_map<FT_UInt, TCachedGlyph> Glyphs;
    size_t GlyphBytes = 0;
};

namespace {

class TFontEngine {
public:
    // Made on first use and never destroyed, so that text drawn while the program
    // exits still finds it.
    static TFontEngine& Get()
    {
        static TFontEngine* engine = new TFontEngine;
        return *engine;
    }

    std::recursive_mutex Mutex;

    // Under Mutex. Acquire gives the instance of a font (one without a face when
    // no font file can be found); Release ends that use.
    TFontInstance* Acquire(const TFont& font);
    void Release(TFontInstance* instance);
    void ReleaseConfig();
    const TGlyphBitmap& Glyph(TFontInstance& instance, char32_t codePoint);

private:
    bool Initialise();
    std::unique_ptr<TFontInstance> Load(const TFont& font);
    bool Match(const char* family, bool bold, bool italic, bool sameFamily, TFaceFile& file);
    bool Open(const TFaceFile& file, TFontInstance& instance);
    void Render(TFontInstance& instance, FT_UInt glyphIndex, TCachedGlyph& glyph);
    void DropGlyphs();

    bool FInitialised = false;
    bool FUsable = false;
    bool FReportedMissing = false;
    bool FCacheFull = false;
    FT_Library FLibrary = nullptr;
    FcConfig* FConfig = nullptr;
    std::vector<std::unique_ptr<TFontInstance>> FInstances;
    size_t FCachedBytes = 0;
    uint64_t FUseClock = 0;
    int FUsers = 0;
    TCachedGlyph FTransient;
    TGlyphBitmap FEmpty;
};

bool TFontEngine::Initialise()
{
    if (FInitialised) return FUsable;
    FInitialised = true;
    if (FT_Init_FreeType(&FLibrary) != 0) {
        FLibrary = nullptr;
        return false;
    }
    // The TrueType interpreter that applies the fonts' own hints in both
    // directions: stems land on whole pixels, so interface-size text is crisp.
    FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(FLibrary, "truetype", "interpreter-version", &interpreter);
    FConfig = FcInitLoadConfigAndFonts();
    FUsable = FConfig != nullptr;
    // Fonts already open stay usable to the end; the configuration goes at exit
    // so that fontconfig's memory is returned.
    if (FUsable) std::atexit([] { Get().ReleaseConfig(); });
    return FUsable;
}

void TFontEngine::ReleaseConfig()
{
    std::lock_guard<std::recursive_mutex> lock(Mutex);
    if (FConfig) FcConfigDestroy(FConfig);
    FConfig = nullptr;
    FUsable = false;
    FReportedMissing = true; // fonts first asked for while exiting are not worth a message
}

TFontInstance* TFontEngine::Acquire(const TFont& font)
{
    // Glyphs are only dropped while no use could hold one.
    if (FCacheFull && FUsers == 0) DropGlyphs();

    const bool bold = font.Style() & fsBold, italic = font.Style() & fsItalic;
    const bool fixed = font.Pitch() == fpFixed;
    TFontInstance* found = nullptr;
    for (auto& instance : FInstances)
        if (instance->RequestHeight == font.Height() && instance->RequestBold == bold &&
            instance->RequestItalic == italic && instance->RequestFixed == fixed && instance->RequestName == font.Name()) {
            found = instance.get();
            break;
        }
    if (!found) {
        // The least recently used font goes, unless it is in use.
        auto oldest = FInstances.end();
        for (auto it = FInstances.begin(); it != FInstances.end(); ++it)
            if ((*it)->Users == 0 && (oldest == FInstances.end() || (*it)->LastUse < (*oldest)->LastUse)) oldest = it;
        if (FInstances.size() >= MaxFontInstances && oldest != FInstances.end()) {
            FCachedBytes -= (*oldest)->GlyphBytes;
            FInstances.erase(oldest);
        }
        FInstances.push_back(Load(font));
        found = FInstances.back().get();
    }
    found->LastUse = ++FUseClock;
    ++found->Users;
    ++FUsers;
    return found;
}

void TFontEngine::Release(TFontInstance* instance)
{
    --instance->Users;
    --FUsers;
}

void TFontEngine::DropGlyphs()
{
    for (auto& instance : FInstances) {
        instance->Glyphs.clear();
        instance->GlyphBytes = 0;
    }
    FCachedBytes = 0;
    FCacheFull = false;
}

std::unique_ptr<TFontInstance> TFontEngine::Load(const TFont& font)
{
    ++FontLoadCount;
    auto instance = std::make_unique<TFontInstance>();
    instance->RequestName = font.Name();
    instance->RequestHeight = font.Height();
    instance->RequestBold = font.Style() & fsBold;
    instance->RequestItalic = font.Style() & fsItalic;
    instance->RequestFixed = font.Pitch() == fpFixed;
    const bool bold = instance->RequestBold, italic = instance->RequestItalic;

    if (Initialise()) {
        // The family itself when installed, then its stand-ins, then the interface
        // family, then whatever fontconfig offers for sans-serif.
        std::vector<std::pair<const char*, bool>> candidates{{font.Name().c_str(), true}};
        for (const auto& s : FamilySubstitutes)
            if (strcasecmp(s.Name, font.Name().c_str()) == 0)
                for (const char* name : s.Substitutes) candidates.emplace_back(name, true);
        if (instance->RequestFixed)
            for (const char* name : MonospaceFamilies) candidates.emplace_back(name, true);
        for (const char* name : InterfaceFamilies) candidates.emplace_back(name, true);
        candidates.emplace_back("sans-serif", false);

        for (const auto& [family, sameFamily] : candidates) {
            TFaceFile file;
            if (!Match(family, bold, italic, sameFamily, file)) continue;
            instance->SyntheticBold = bold && !file.IsBold;
            instance->SyntheticItalic = italic && !file.IsItalic;
            if (!Open(file, *instance)) continue;
            instance->Family = file.Family;
            return instance;
        }
    }
    instance->SyntheticBold = instance->SyntheticItalic = false;
    if (!FReportedMissing) {
        FReportedMissing = true;
        std::fprintf(stderr, "velmora: no usable font file found; text is not drawn\n");
    }
    return instance;
}

bool TFontEngine::Match(const char* family, bool bold, bool italic, bool sameFamily, TFaceFile& file)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(FConfig, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(FConfig, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;

    bool ok = false;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        FcChar8* name = nullptr;
        bool named = !sameFamily;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (i == 0) file.Family = reinterpret_cast<const char*>(name);
            if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0) {
                file.Family = reinterpret_cast<const char*>(name);
                named = true;
                break;
            }
        }
        if (named) {
            int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            file.Path = reinterpret_cast<const char*>(path);
            file.Index = index;
            file.IsBold = weight >= FC_WEIGHT_DEMIBOLD;
            file.IsItalic = slant != FC_SLANT_ROMAN;
            ok = true;
        }
    }
    FcPatternDestroy(match);
    return ok;
}

bool TFontEngine::Open(const TFaceFile& file, TFontInstance& instance)
{
    FT_Face face = nullptr;
    if (FT_New_Face(FLibrary, file.Path.c_str(), file.Index, &face) != 0) return false;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        return false;
    }
    // The cell is the font's Windows ascent and descent when it has them, else
    // its typographic ascender and descender.
    const double upem = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double ascent = face->ascender, descent = -face->descender;
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    }
    if (ascent + descent <= 0) {
        ascent = upem * 0.8;
        descent = upem * 0.2;
    }

    // A negative height is the em size; a positive one the whole cell.
    const int64_t height = instance.RequestHeight;
    int64_t em = DefaultPixelsPerEm;
    if (height < 0) em = -height;
    if (height > 0) em = std::llround(static_cast<double>(height) * upem / (ascent + descent));
    const bool clamped = em < 1 || em > MaxFontPixelsPerEm;
    em = std::clamp<int64_t>(em, 1, MaxFontPixelsPerEm);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0) {
        FT_Done_Face(face);
        return false;
    }

    const double scale = static_cast<double>(em) / upem;
    TFontMetrics& m = instance.Metrics;
    m.Ascent = std::max(0, RoundToInt(ascent * scale));
    m.Descent = std::max(0, RoundToInt(descent * scale));
    if (height > 0 && !clamped) {
        m.Ascent = std::min<int>(m.Ascent, static_cast<int>(height));
        m.Descent = static_cast<int>(height) - m.Ascent;
    }
    m.Height = m.Ascent + m.Descent;
    m.InternalLeading = std::max(0, m.Height - static_cast<int>(em));

    m.UnderlineThickness = std::max(1, RoundToInt(face->underline_thickness * scale));
    m.UnderlineOffset = std::max(1, RoundToInt(-face->underline_position * scale - m.UnderlineThickness / 2.0));
    if (m.UnderlineOffset + m.UnderlineThickness > m.Descent)
        m.UnderlineOffset = std::max(1, m.Descent - m.UnderlineThickness);

    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0 && os2->yStrikeoutPosition > 0) {
        m.StrikeOutThickness = std::max(1, RoundToInt(os2->yStrikeoutSize * scale));
        m.StrikeOutOffset = std::max(1, RoundToInt(os2->yStrikeoutPosition * scale));
    } else {
        m.StrikeOutThickness = m.UnderlineThickness;
        m.StrikeOutOffset = std::max(1, RoundToInt(em * 0.3) + m.StrikeOutThickness / 2);
    }

    instance.Face = face;
    instance.PixelsPerEm = static_cast<int>(em);
    m.AveCharWidth = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0 ? RoundToInt(os2->xAvgCharWidth * scale) : 0;
    if (m.AveCharWidth <= 0) m.AveCharWidth = std::max(1, Glyph(instance, U'x').Advance);
    return true;
}

void TFontEngine::Render(TFontInstance& instance, FT_UInt glyphIndex, TCachedGlyph& glyph)
{
    ++RasterisationCount;
    glyph.Bitmap = TGlyphBitmap{};
    glyph.Bits.clear();
    FT_Face face = instance.Face;
    if (FT_Load_Glyph(face, glyphIndex, GlyphLoadFlags) != 0 && FT_Load_Glyph(face, 0, GlyphLoadFlags) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    FT_Pos extraAdvance = 0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (instance.SyntheticItalic) FT_GlyphSlot_Oblique(slot);
        if (instance.SyntheticBold) {
            // At least one pixel wider, as bold text of a plain face is on screen;
            // only sideways, so the glyph stays within its cell.
            const FT_Pos strength = std::max<FT_Pos>(64, (instance.PixelsPerEm * 64 + 12) / 24) & ~FT_Pos(63);
            FT_Outline_EmboldenXY(&slot->outline, strength, 0);
            extraAdvance = strength;
        }
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;

    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.Bitmap.Advance = static_cast<int>((slot->advance.x + extraAdvance + 32) >> 6);
    glyph.Bitmap.Left = slot->bitmap_left;
    glyph.Bitmap.Top = slot->bitmap_top;
    const bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY, mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!(gray || mono) || bitmap.width == 0 || bitmap.rows == 0 || !bitmap.buffer) return;

    const int width = static_cast<int>(bitmap.width), rows = static_cast<int>(bitmap.rows);
    glyph.Bits.resize(static_cast<size_t>(width) * static_cast<size_t>(rows));
    for (int y = 0; y < rows; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        if (bitmap.pitch < 0) src = bitmap.buffer + static_cast<ptrdiff_t>(rows - 1 - y) * -bitmap.pitch;
        uint8_t* dst = glyph.Bits.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (gray) {
                const unsigned levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
                dst[x] = static_cast<uint8_t>(std::min(255u, src[x] * 255u / levels));
            } else {
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            }
        }
    }
    glyph.Bitmap.Width = width;
    glyph.Bitmap.Height = rows;
}

const TGlyphBitmap& TFontEngine::Glyph(TFontInstance& instance, char32_t codePoint)
{
    if (!instance.Face) return FEmpty;
    const FT_UInt index = FT_Get_Char_Index(instance.Face, codePoint);
    if (auto it = instance.Glyphs.find(index); it != instance.Glyphs.end()) return it->second.Bitmap;

    TCachedGlyph glyph;
    Render(instance, index, glyph);
    const size_t bytes = glyph.Bits.size() + sizeof(TCachedGlyph) + 32;
    if (FCachedBytes + bytes > MaxCachedGlyphBytes) {
        // Over budget: hand out a glyph that lives until the next one.
        FCacheFull = true;
        FTransient = std::move(glyph);
        FTransient.Bitmap.Coverage = FTransient.Bits.empty() ? nullptr : FTransient.Bits.data();
        return FTransient.Bitmap;
    }
    auto [it, inserted] = instance.Glyphs.emplace(index, std::move(glyph));
    it->second.Bitmap.Coverage = it->second.Bits.empty() ? nullptr : it->second.Bits.data();
    FCachedBytes += bytes;
    instance.GlyphBytes += bytes;
    return it->second.Bitmap;
}

} // namespace

TFontEngineStats FontEngineStats()
{
    return {FontLoadCount.load(), RasterisationCount.load()};
}

TFontUse::TFontUse(const TFont& font) : FLock(TFontEngine::Get().Mutex)
{
    FInstance = TFontEngine::Get().Acquire(font);
}

TFontUse::~TFontUse()
{
    TFontEngine::Get().Release(FInstance);
}

TFontUse::operator bool() const
{
    return FInstance->Face != nullptr;
}

const TFontMetrics& TFontUse::Metrics() const
{
    return FInstance->Metrics;
}

std::string TFontUse::FamilyName() const
{
    return FInstance->Family;
}

bool TFontUse::SyntheticBold() const
{
    return FInstance->SyntheticBold;
}

bool TFontUse::SyntheticItalic() const
{
    return FInstance->SyntheticItalic;
}

const TGlyphBitmap& TFontUse::Glyph(char32_t codePoint)
{
    return TFontEngine::Get().Glyph(*FInstance, codePoint);
}

namespace {

// Windows-1252 for the bytes 0x80..0x9F; its five unassigned bytes keep their value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

char32_t NextTextChar(const char*& p, const char* end)
{
    const auto* s = reinterpret_cast<const unsigned char*>(p);
    const unsigned char c = s[0];
    if (c < 0x80) {
        ++p;
        return c;
    }
    const ptrdiff_t left = end - p;
    // Well-formed sequences only: no overlong forms, surrogates or values past U+10FFFF.
    if (c >= 0xC2 && c <= 0xDF && left >= 2 && IsContinuation(s[1])) {
        p += 2;
        return char32_t(c & 0x1F) << 6 | (s[1] & 0x3F);
    }
    if (c >= 0xE0 && c <= 0xEF && left >= 3 && IsContinuation(s[1]) && IsContinuation(s[2]) &&
        !(c == 0xE0 && s[1] < 0xA0) && !(c == 0xED && s[1] > 0x9F)) {
        p += 3;
        return char32_t(c & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | (s[2] & 0x3F);
    }
    if (c >= 0xF0 && c <= 0xF4 && left >= 4 && IsContinuation(s[1]) && IsContinuation(s[2]) && IsContinuation(s[3]) &&
        !(c == 0xF0 && s[1] < 0x90) && !(c == 0xF4 && s[1] > 0x8F)) {
        p += 4;
        return char32_t(c & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 | char32_t(s[2] & 0x3F) << 6 | (s[3] & 0x3F);
    }
    ++p;
    return c < 0xA0 ? char32_t(Cp1252High[c - 0x80]) : char32_t(c);
}
