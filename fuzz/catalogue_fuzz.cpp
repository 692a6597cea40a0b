//===- catalogue_fuzz.cpp - Fuzzes the message catalogue reader -----------===//
//
// The input is "key NUL text NUL catalogue" (or only a catalogue). The
// catalogue reads without crashing; the bad line it names, if any, is bad
// on its own, the lines before it are not, and it is no later than the
// last line. The key and text, written as an entry with escapes after the
// catalogue, read back as the same key and text.
//
//===----------------------------------------------------------------------===//
#include "host/services/hostutf.h"
#include "host/services/translatorservice.h"
#include "KorBasicTypes/korstring.h"
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
void check(bool condition) {
  if (!condition)
    std::abort();
}

/// The entry form of a key or text: every character the reader would take
/// for a separator, comment, group, blank, line end or escape is escaped.
std::string escape(const std::string &text, bool key) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c == ' ')
      out += "\\s";
    else if (c == '\\' || c == '#' || c == ';' || c == '[' || (key && c == '='))
      out += std::string("\\") + c;
    else
      out += c;
  }
  return out;
}

/// The lines the reader sees: text split at each '\n'.
std::vector<std::string> linesOf(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

int badLineOf(const std::string &text) {
  HostCatalogueTranslator catalogue;
  catalogue.AddRef();
  return catalogue.loadText(text);
}

/// True when the text survives being written as an entry: not empty, and
/// without a carriage return at either end, which has no escape and would
/// be taken for part of the line end.
bool writable(const std::string &text) {
  return !text.empty() && text.front() != '\r' && text.back() != '\r';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  size_t first = input.find('\0');
  size_t second =
      first == std::string::npos ? first : input.find('\0', first + 1);
  const std::string text =
      second == std::string::npos ? input : input.substr(second + 1);

  const std::vector<std::string> lines = linesOf(text);
  const int bad = badLineOf(text);
  check(bad >= 0 && size_t(bad) <= lines.size());
  if (bad > 0) {
    // The bad line is bad on its own too; after an empty line unless it is
    // the first, so that a byte-order mark opening it is read as in place
    // (only one at the start of the catalogue is skipped).
    if (bad == 1)
      check(badLineOf(lines[0]) == 1);
    else
      check(badLineOf("\n" + lines[bad - 1]) == 2);
    std::string before;
    for (int i = 0; i + 1 < bad; ++i)
      before += lines[i] + "\n";
    check(badLineOf(before) == 0);
  }
  if (second == std::string::npos)
    return 0;

  const std::string key = input.substr(0, first);
  const std::string value = input.substr(first + 1, second - first - 1);
  if (!writable(key) || !writable(value))
    return 0;
  // The entry never opens the catalogue, where a key's leading byte-order
  // mark would be skipped.
  std::string withEntry = text;
  if (withEntry.empty() || withEntry.back() != '\n')
    withEntry += '\n';
  withEntry += escape(key, true) + " = " + escape(value, false) + "\n";
  HostCatalogueTranslator catalogue;
  catalogue.AddRef();
  check(catalogue.loadText(withEntry) == bad);
  KorString out;
  check(catalogue.LookUp(key.c_str(), out));
  check(out.view() == std::u16string_view(hostToUtf16(value)));
  return 0;
}
