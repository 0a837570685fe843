#pragma once
// A measuring point whose program folder is a fresh temporary folder, with
// helpers to read and write raw files there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/program_files.h"
#include "session_fixture.h"

namespace velmar::testing {

// A folder of its own for each test, removed afterwards.
struct TempFolder {
  TempFolder() {
    std::string templ = ::testing::TempDir() + "velmar_persistence_XXXXXX";
    path = ::mkdtemp(templ.data()) != nullptr ? templ : std::string();
    EXPECT_FALSE(path.empty());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string file(const std::string& name) const { return path + "/" + name; }
  std::string path;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A test point started in a temporary start folder with its "Velmar" folder.
struct FilePoint : TestPoint {
  FilePoint() {
    s.files.startFolder = folder.path;
    EXPECT_TRUE(makeProgramFolder(s.files));
  }
  std::string programFile(const std::string& name) const { return folder.path + "/Velmar/" + name; }
  TempFolder folder;
};

}  // namespace velmar::testing
