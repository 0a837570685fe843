#pragma once
// Text of the program's files: Windows-1251 on disk, as the files users
// already have, and UTF-8 inside the program.
#include <string>
#include <string_view>

namespace velmar {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of one code point (at most U+10FFFF).
void appendUtf8(std::string& out, char32_t cp);

// Windows-1251 bytes to UTF-8. The one unassigned byte (0x98) becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1251. A character the code page lacks, and any malformed
// byte, becomes "?".
std::string utf8ToCp1251(std::string_view text);

// The characters of a text that utf8ToCp1251 writes as "?" (each once, in the
// order they first appear; a malformed byte as U+FFFD), empty when the code
// page holds them all.
std::string charactersOutsideCp1251(std::string_view text);

// The text of a file read from disk: a file that begins with the UTF-8
// byte-order mark, or that decodes as UTF-8 without error, is taken as UTF-8
// (plain ASCII reads the same either way; the mark is dropped), any other as
// Windows-1251.
std::string decodeFileText(std::string_view bytes);

}  // namespace velmar
