//===- settingsstore.cpp - The host's settings store over an INI file -----===//
//
// SimpleIni parses the text; it has no line limit and skips lines it cannot
// read without saying where. A light pass over the same lines, following
// SimpleIni's own rules, finds those lines and the line of every value, so
// errors name the place in the file.
//
//===----------------------------------------------------------------------===//
#include "host/services/settingsstore.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostutf.h"
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <strings.h>

// As Debian's libsimpleini was built, so that its parsers match this header.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

namespace {
/// How SimpleIni takes one line.
enum class LineKind { Ignored, Section, Value, Bad };

LineKind classifyLine(std::string_view line) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos || line[start] == ';' ||
      line[start] == '#')
    return LineKind::Ignored;
  if (line[start] == '[')
    return line.find(']', start) != std::string_view::npos ? LineKind::Section
                                                           : LineKind::Bad;
  // A value line needs "=" after a non-empty name.
  size_t equals = line.find('=', start);
  return equals == std::string_view::npos || equals == start ? LineKind::Bad
                                                             : LineKind::Value;
}

/// The lines of text split where SimpleIni splits them: "\r\n", "\n", "\r".
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
      end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::string_view trimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

/// The value lines of a text and its first bad line.
struct LineScan {
  std::vector<int> valueLines;
  int firstBad = 0; ///< 0 when every line is valid.
};

LineScan scanLines(std::string_view text) {
  LineScan scan;
  int number = 0;
  for (std::string_view line : splitLines(text)) {
    ++number;
    LineKind kind = classifyLine(line);
    if (kind == LineKind::Value)
      scan.valueLines.push_back(number);
    else if (kind == LineKind::Bad && scan.firstBad == 0)
      scan.firstBad = number;
  }
  return scan;
}

/// Every ("Section/Name", value) SimpleIni reads, in file order.
std::vector<std::pair<std::string, std::string>>
readValues(std::string_view text) {
  CSimpleIniCaseA ini(/*isUtf8=*/true, /*multiKey=*/true, /*multiLine=*/false);
  if (ini.LoadData(text.data(), text.size()) < 0)
    return {};
  // Each value carries its load order, which is file order.
  std::vector<std::pair<int, std::pair<std::string, std::string>>> ordered;
  CSimpleIniCaseA::TNamesDepend sections;
  ini.GetAllSections(sections);
  for (const auto &section : sections)
    for (const auto &[name, value] : *ini.GetSection(section.pItem))
      ordered.push_back(
          {name.nOrder,
           {std::string(section.pItem) + "/" + name.pItem, value}});
  std::sort(ordered.begin(), ordered.end(),
            [](const auto &a, const auto &b) { return a.first < b.first; });
  std::vector<std::pair<std::string, std::string>> values;
  for (auto &entry : ordered)
    values.push_back(std::move(entry.second));
  return values;
}

bool isHexField(std::string_view text, uint64_t maximum) {
  text = trimBlanks(text);
  if (text.starts_with("0x") || text.starts_with("0X"))
    text.remove_prefix(2);
  uint64_t value = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return !text.empty() && error == std::errc() &&
         end == text.data() + text.size() && value <= maximum;
}
} // namespace

bool parseSettingsBool(const std::string &text) {
  for (const char *yes : {"true", "yes", "on"})
    if (strcasecmp(text.c_str(), yes) == 0)
      return true;
  return std::strtod(text.c_str(), nullptr) != 0.0;
}

bool isComponentIdText(std::string_view text) {
  constexpr int kFields = 11;
  constexpr uint64_t kLimits[3] = {0xFFFFFFFF, 0xFFFF, 0xFFFF};
  size_t start = 0;
  for (int field = 0; field < kFields; ++field) {
    size_t comma = text.find(',', start);
    bool last = field == kFields - 1;
    if ((comma == std::string_view::npos) != last)
      return false;
    uint64_t limit = field < 3 ? kLimits[field] : 0xFF;
    if (!isHexField(text.substr(start, comma - start), limit))
      return false;
    start = comma + 1;
  }
  return true;
}

int HostSettingsStore::loadText(const std::string &text) {
  // Like SimpleIni, read up to the first zero byte, after a UTF-8 mark;
  // SimpleIni takes off the mark itself, so it is given the text with it.
  std::string_view data(text.c_str());
  LineScan scan = scanLines(data.starts_with("\xEF\xBB\xBF") ? data.substr(3)
                                                              : data);
  auto values = readValues(data);
  // In a text without bad lines the value lines found by the scan are those
  // SimpleIni read, one for one. (After a bad "[" line SimpleIni may join
  // lines; the values are then left without line numbers.)
  bool linesKnown = values.size() == scan.valueLines.size();
  for (size_t i = 0; i < values.size(); ++i)
    entries_.push_back({std::move(values[i].first), std::move(values[i].second),
                        linesKnown ? scan.valueLines[i] : 0});
  return scan.firstBad;
}

void HostSettingsStore::loadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HostError{"cannot read settings file " + path, 2};
  std::stringstream text;
  text << in.rdbuf();
  size_t first = entries_.size();
  if (int line = loadText(text.str()))
    throw HostError{path + ":" + std::to_string(line) + ": not a valid line",
                    2};
  for (size_t i = first; i < entries_.size(); ++i) {
    const Entry &entry = entries_[i];
    if (entry.key.starts_with("KorTest/") && !isComponentIdText(entry.value))
      throw HostError{path + ":" + std::to_string(entry.line) +
                          ": not a component identifier (eleven "
                          "comma-separated hexadecimal fields): " +
                          entry.value,
                      3};
  }
}

const std::string *HostSettingsStore::find(const std::string &key) const {
  // The last assignment of a key wins, as when reading the file top down.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->key == key)
      return &it->value;
  return nullptr;
}

std::vector<std::pair<std::string, std::string>>
HostSettingsStore::sectionValues(const std::string &section) const {
  std::vector<std::pair<std::string, std::string>> values;
  std::string prefix = section + "/";
  for (const Entry &entry : entries_)
    if (entry.key.starts_with(prefix))
      values.emplace_back(entry.key.substr(prefix.size()), entry.value);
  return values;
}

void HostSettingsStore::set(const std::string &key, const std::string &value) {
  entries_.push_back({key, value, 0});
  wideCache_.erase(key);
  double number = std::strtod(value.c_str(), nullptr);
  auto [first, last] = watchers_.equal_range(key);
  for (auto it = first; it != last; ++it)
    it->second->OnDataChanged(key.c_str(), number);
}

bool HostSettingsStore::GetBool(const char *key, int) {
  const std::string *value = key ? find(key) : nullptr;
  return value && parseSettingsBool(*value);
}

double HostSettingsStore::GetDouble(const char *key, int) {
  const std::string *value = key ? find(key) : nullptr;
  return value ? std::strtod(value->c_str(), nullptr) : 0.0;
}

const KorWChar *HostSettingsStore::GetString(const char *key, bool *found) {
  const std::string *value = key ? find(key) : nullptr;
  if (found)
    *found = value != nullptr;
  if (!value)
    return nullptr;
  auto &wide = wideCache_[key];
  wide = hostToUtf16(*value);
  return wide.c_str();
}

void HostSettingsStore::Watch(const char *key, IKorDataReceiver *receiver) {
  if (key && receiver)
    watchers_.emplace(key, IPtr<IKorDataReceiver>(receiver));
}
