// skinart: draws the skin bitmaps of the program's styles.
//
//   skinart [--out DIR] [--check DIR] [--sheet FILE.png] [--list]
//
//   --out DIR      writes every bitmap as DIR/<NAME>.bmp
//   --check DIR    compares every bitmap byte for byte with DIR/<NAME>.bmp and
//                  exits with status 1 when one differs or is missing
//   --sheet FILE   writes the contact sheet (PNG)
//   --list         prints name, size and depth of every bitmap
//
// The committed bitmaps are made by `build/skinart --out resources/BITMAP` and
// the build checks them against the generator; docs/skins.png is made by
// `build/skinart --sheet docs/skins.png`.
#include "classlib/system/Exceptions.h"
#include "tools/skinart/ArtCatalogue.h"
#include "tools/skinart/ContactSheet.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path, bool& found)
{
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    return found ? std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}) : std::vector<uint8_t>{};
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Usage(int status)
{
    (status ? std::cerr : std::cout) << "usage: skinart [--out DIR] [--check DIR] [--sheet FILE.png] [--list]\n";
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string out, check, sheet;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* target = arg == "--out" ? &out : arg == "--check" ? &check : arg == "--sheet" ? &sheet : nullptr;
        if (target) {
            if (i + 1 >= argc) return Usage(2);
            *target = argv[++i];
        } else if (arg == "--list") {
            list = true;
        } else {
            return Usage(arg == "-h" || arg == "--help" ? 0 : 2);
        }
    }
    if (out.empty() && check.empty() && sheet.empty() && !list) return Usage(2);

    try {
        const std::vector<art::ArtPicture> pictures = art::DrawSkinArt();
        int status = 0;
        for (const art::ArtPicture& p : pictures) {
            const std::vector<uint8_t> bytes = art::BmpBytes(p);
            if (list) std::cout << p.Name << ' ' << p.Width << 'x' << p.Height << ' ' << p.Bits << '\n';
            if (!out.empty() && !WriteFile(out + "/" + p.Name + ".bmp", bytes)) {
                std::cerr << "skinart: cannot write " << out << "/" << p.Name << ".bmp\n";
                return 2;
            }
            if (!check.empty()) {
                bool found = false;
                const std::vector<uint8_t> committed = ReadFile(check + "/" + p.Name + ".bmp", found);
                if (!found || committed != bytes) {
                    std::cerr << "skinart: " << check << "/" << p.Name << ".bmp "
                              << (found ? "differs from what skinart draws" : "is missing") << '\n';
                    status = 1;
                }
            }
        }
        if (status) std::cerr << "skinart: run `build/skinart --out resources/BITMAP` and commit the bitmaps\n";
        if (!sheet.empty()) art::WriteContactSheet(pictures, sheet);
        return status;
    } catch (const Exception& e) {
        std::cerr << "skinart: " << e.Message() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "skinart: " << e.what() << '\n';
        return 2;
    }
}
