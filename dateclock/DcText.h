// Characters of a display text. Texts are UTF-8, so one character may take
// several bytes; each character takes one digit cell.
#pragma once

#include <cstddef>
#include <string>

// The character starting at pos, and pos moved past it. An ASCII character is
// its own code; a multi-byte character gives a code from 128 up (no pattern).
// A malformed byte is a character of its own.
unsigned char DcNextCharacter(const std::string& text, std::size_t& pos);

// How many characters text holds.
std::size_t DcCharacterCount(const std::string& text);
