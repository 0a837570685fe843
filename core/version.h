#pragma once
// The program's version, as the build names it (the project version of CMake).
#include <string_view>

namespace velmar {

#ifndef VELMAR_VERSION
#define VELMAR_VERSION "0.0"
#endif
inline constexpr std::string_view kProgramVersion = VELMAR_VERSION;

}  // namespace velmar
