#include "core/code_page.h"

#include <array>
#include <cstdint>

namespace velmar {

namespace {

// Unicode code points of the bytes 0x80..0xFF of Windows-1251; 0 marks the
// unassigned byte 0x98. 0xC0..0xFF are А..я in order.
constexpr std::array<char16_t, 64> kUpper = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char16_t cp1251CodePoint(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
  return kUpper[byte - 0x80];
}

// The Windows-1251 byte of a code point, -1 when the code page lacks it.
int cp1251Byte(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
  for (size_t k = 0; k < kUpper.size(); ++k) {
    if (kUpper[k] != 0 && kUpper[k] == cp) return static_cast<int>(0x80 + k);
  }
  return -1;
}

// Decodes one UTF-8 sequence at bytes[i]; returns its length, or 0 when the
// bytes there are not a well-formed sequence.
size_t decodeUtf8(std::string_view bytes, size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  size_t len = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > bytes.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool isValidUtf8(std::string_view bytes) {
  char32_t cp = 0;
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = decodeUtf8(bytes, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    const char16_t cp = cp1251CodePoint(static_cast<unsigned char>(ch));
    appendUtf8(out, cp == 0 && ch != '\0' ? 0xFFFD : cp);
  }
  return out;
}

std::string utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char32_t cp = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t len = decodeUtf8(text, i, cp);
    if (len == 0) {
      out += '?';
      ++i;
      continue;
    }
    i += len;
    const int byte = cp1251Byte(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

std::string charactersOutsideCp1251(std::string_view text) {
  std::string lost;
  char32_t cp = 0;
  for (size_t i = 0; i < text.size();) {
    size_t len = decodeUtf8(text, i, cp);
    if (len == 0) {
      cp = 0xFFFD;  // a broken byte is written as "?" too
      len = 1;
    } else if (cp1251Byte(cp) >= 0) {
      i += len;
      continue;
    }
    std::string character;
    appendUtf8(character, cp);
    if (lost.find(character) == std::string::npos) lost += character;
    i += len;
  }
  return lost;
}

std::string decodeFileText(std::string_view bytes) {
  // A byte-order mark says UTF-8 and is no part of the text; a byte after it
  // that is no UTF-8 reads as U+FFFD.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
    std::string out;
    out.reserve(bytes.size());
    char32_t cp = 0;
    for (size_t i = 0; i < bytes.size();) {
      const size_t len = decodeUtf8(bytes, i, cp);
      appendUtf8(out, len == 0 ? 0xFFFD : cp);
      i += len == 0 ? 1 : len;
    }
    return out;
  }
  return isValidUtf8(bytes) ? std::string(bytes) : cp1251ToUtf8(bytes);
}

}  // namespace velmar
