//===- settingsvalues_fuzz.cpp - Fuzzes the settings line scan and values -===//
//
// SimpleIni parses settings text; this target checks what korhost adds on
// top: line numbers and the value readers.
// - The bad line loadText names is no later than the last line, is bad on
//   its own, and the lines before it are not.
// - After a text without bad lines, a [KorTest] value that is no component
//   identifier makes loadFile fail, naming a line that holds a bad value.
// - Each line set as a value reads back through GetString as a fresh store
//   reads it (no stale text), reads as true when its number is not zero,
//   and reads as the same bool in upper case.
//
//===----------------------------------------------------------------------===//
#include "host/cli/hostoptions.h"
#include "host/services/settingsstore.h"
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {
void check(bool condition) {
  if (!condition)
    std::abort();
}

/// The lines of settings text as the store numbers them: the text up to its
/// first NUL, without a leading UTF-8 mark, split at "\r\n", "\n" or "\r".
std::vector<std::string> linesOf(const std::string &input) {
  std::string_view text(input.c_str());
  if (text.starts_with("\xEF\xBB\xBF"))
    text.remove_prefix(3);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

int badLineOf(const std::string &text) {
  HostSettingsStore store;
  store.AddRef();
  return store.loadText(text);
}

void checkBadLine(const std::string &input,
                  const std::vector<std::string> &lines) {
  int bad = badLineOf(input);
  check(bad >= 0 && size_t(bad) <= lines.size());
  if (bad == 0)
    return;
  // After an empty first line, so that no mark is taken off a line.
  check(badLineOf("\n" + lines[bad - 1]) == 2);
  std::string before = "\n";
  for (int i = 0; i + 1 < bad; ++i)
    before += lines[i] + "\n";
  check(badLineOf(before) == 0);
}

/// Loads the text, with a bad [KorTest] value after it, as a file: the
/// load must fail at a line that holds a bad value, this one or an earlier.
void checkValueLines(const std::string &input) {
  static const std::string path =
      "/tmp/settingsvalues_fuzz_" + std::to_string(getpid()) + ".ini";
  const std::string text =
      input.c_str() + std::string("\n[KorTest]\nfuzz = x\n");
  const std::vector<std::string> lines = linesOf(text);
  if (badLineOf(text) != 0)
    return;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  HostSettingsStore store;
  store.AddRef();
  try {
    store.loadFile(path);
  } catch (const HostError &error) {
    check(error.exitCode == 3);
    std::string_view message(error.message);
    message.remove_prefix(path.size() + 1);
    size_t line =
        std::stoul(std::string(message.substr(0, message.find(':'))));
    check(line >= 1 && line <= lines.size());
    std::string_view value = message.substr(message.rfind("): ") + 3);
    check(lines[line - 1].find(value) != std::string::npos);
    check(lines[line - 1].find('=') != std::string::npos);
    return;
  }
  check(false);
}

/// Reads `value` from a store that held and read `previous` under the
/// same key before.
void checkValue(const std::string &previous, const std::string &value) {
  const char *key = "Fuzz/Value";
  HostSettingsStore store, fresh;
  store.AddRef();
  fresh.AddRef();
  store.set(key, previous);
  store.GetString(key, nullptr);
  store.set(key, value);
  fresh.set(key, value);
  bool found = false;
  const KorWChar *text = store.GetString(key, &found);
  check(found && text);
  check(std::u16string_view(text) == fresh.GetString(key, nullptr));
  if (store.GetDouble(key, 0) != 0.0)
    check(store.GetBool(key, 0));
  std::string upper = value;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return std::toupper(c); });
  fresh.set(key, upper);
  check(fresh.GetBool(key, 0) == store.GetBool(key, 0));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  const std::vector<std::string> lines = linesOf(input);
  checkBadLine(input, lines);
  checkValueLines(input);
  for (size_t i = 0; i < lines.size(); ++i)
    checkValue(i ? lines[i - 1] : "", lines[i]);
  return 0;
}
