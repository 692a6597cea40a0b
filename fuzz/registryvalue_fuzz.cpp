//===- registryvalue_fuzz.cpp - Fuzzes the registry component-id reader ---===//
//
// Any text gives at most eleven fields, leaves the unread fields 0, reads
// nothing past the first 150 characters, and a complete value written back
// with "%x" reads as the same identifier.
//
//===----------------------------------------------------------------------===//
#include "testservice/registryvalue.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
void check(bool condition) {
  if (!condition)
    std::abort();
}

std::string formatId(const KorGuid &id) {
  char text[80];
  std::snprintf(text, sizeof text, "%x,%x,%x,%x,%x,%x,%x,%x,%x,%x,%x",
                id.data1, id.data2, id.data3, id.data4[0], id.data4[1],
                id.data4[2], id.data4[3], id.data4[4], id.data4[5],
                id.data4[6], id.data4[7]);
  return text;
}

bool fieldIsZero(const KorGuid &id, int index) {
  if (index == 0)
    return id.data1 == 0;
  if (index == 1)
    return id.data2 == 0;
  if (index == 2)
    return id.data3 == 0;
  return id.data4[index - 3] == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text(reinterpret_cast<const char *>(data), size);
  KorGuid id;
  int fields = parseRegistryComponentId(text.c_str(), id);
  check(fields >= 0 && fields <= 11);
  for (int i = fields; i < 11; ++i)
    check(fieldIsZero(id, i));

  KorGuid again;
  std::string longer = text.substr(0, text.find('\0'));
  if (longer.size() >= kRegistryValueMaxChars) {
    longer.insert(kRegistryValueMaxChars, ",ff,ff,ff,ff,ff,ff,ff,ff,ff,ff");
    check(parseRegistryComponentId(longer.c_str(), again) == fields);
    check(again == id);
  }
  if (fields == 11) {
    check(parseRegistryComponentId(formatId(id).c_str(), again) == 11);
    check(again == id);
  }
  return 0;
}
