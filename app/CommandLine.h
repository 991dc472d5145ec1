// The program's command-line arguments, kept by the entry point so that the
// forms can read them the way the class library's ParamStr does elsewhere.
#pragma once

#include <string>
#include <vector>

// Keeps argv[0..argc-1]; a null argv or negative argc keeps nothing.
void SetCommandLine(int argc, const char* const* argv);
// The number of arguments after the program itself.
int ParamCount();
// Argument index (0 is the program itself); "" for an index that does not exist.
std::string ParamStr(int index);
