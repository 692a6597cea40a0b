//===- expectedfiles.h - Reading report files and checked-in expectations ===//
#pragma once
#include "KorBasicTypes/korstring.h"
#include <fstream>
#include <sstream>
#include <string>

/// The bytes of a file, empty when it cannot be read.
inline std::string readFileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

/// A checked-in expected report under tests/unit/expected/.
inline std::string readExpected(const std::string &name) {
  return readFileBytes(std::string(KORTEST_SOURCE_DIR) +
                       "/tests/unit/expected/" + name);
}

/// The UTF-8 form of a wide text, as the report files hold it.
inline std::string utf8Of(const KorString &text) { return text.utf8(); }
