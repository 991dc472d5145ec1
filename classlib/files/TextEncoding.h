// The encodings a settings file may be stored in, told apart by the
// byte-order mark as the platform's own readers do: UTF-8 without or with its
// mark, and UTF-16 little-endian with its mark. In memory the text is UTF-8;
// a UTF-16 unit that is half of no pair is kept as the three bytes UTF-8
// would give its code point, so that writing the text back restores the file
// exactly.
#pragma once

#include "classlib/system/AtomicFile.h"

#include <string>
#include <string_view>

enum class TTextEncoding { Utf8, Utf8WithMark, Utf16LE };

// Turns the file's bytes into UTF-8 text in place and tells their encoding.
// False, with `bytes` unchanged, for UTF-16 of an odd number of bytes.
bool DecodeText(std::string& bytes, TTextEncoding& encoding);

// The file's bytes for UTF-8 text, with the encoding's mark. False, with
// `bytes` cleared, when UTF-16 is asked for and the text is no UTF-8.
bool EncodeText(std::string_view text, TTextEncoding encoding, std::string& bytes);

// UTF-16 LE units (no mark) as UTF-8, and back; false for an odd number of
// bytes, or for text that is no UTF-8.
bool Utf16LEToUtf8(std::string_view units, std::string& text);
bool Utf8ToUtf16LE(std::string_view text, std::string& units);

// ReadFileBounded, then DecodeText: a file that cannot be decoded is Failed.
TReadFileStatus ReadTextFile(const std::string& path, std::string& text, TTextEncoding& encoding);
