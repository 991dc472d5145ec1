// canvas-cases: draws canvas reference cases with our TCanvas and prints the
// pictures as records of the same form, for comparison with reference records.
//
//   canvas-cases [FILE]    reads case lines from FILE, or from standard input
//
// Only the part of a line before " org=" is read; lines starting with '#' are
// passed through. A line that cannot be drawn is reported on standard error and
// the exit status is 1; an unreadable file gives status 2.
#include "tests/support/CanvasCases.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int Run(std::istream& in)
{
    int status = 0;
    long lineNumber = 0;
    std::string line;
    TBitmap bitmap;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line[0] == '#') {
            std::cout << line << '\n';
            continue;
        }
        CanvasCases::TCase c;
        std::string error;
        if (!CanvasCases::ParseCase(line, c, error) || !CanvasCases::DrawCase(c, bitmap, error)) {
            std::cerr << "canvas-cases: line " << lineNumber << ": " << error << '\n';
            status = 1;
            continue;
        }
        std::cout << CanvasCases::FormatRecord(c, bitmap) << '\n';
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")))) {
        std::cerr << "usage: canvas-cases [FILE]\n"
                     "Draws each case line of FILE (or standard input) and prints its picture.\n";
        return argc > 2 ? 2 : 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "-") != 0) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "canvas-cases: cannot read " << argv[1] << '\n';
            return 2;
        }
        return Run(file);
    }
    return Run(std::cin);
}
