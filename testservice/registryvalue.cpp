//===- registryvalue.cpp - Component identifiers written as registry values
//===//
#include "testservice/registryvalue.h"
#include <cstdio>
#include <cstring>

namespace {
/// Reads one part as "%x"; false when it holds no hexadecimal number.
bool readHexPart(const char *part, unsigned &value) {
  return std::sscanf(part, "%x", &value) == 1;
}

/// Stores field `index` (0 to 10) of the identifier.
void storeField(KorGuid &id, int index, unsigned value) {
  if (index == 0)
    id.data1 = value;
  else if (index == 1)
    id.data2 = static_cast<uint16_t>(value);
  else if (index == 2)
    id.data3 = static_cast<uint16_t>(value);
  else
    id.data4[index - 3] = static_cast<uint8_t>(value);
}
} // namespace

int parseRegistryComponentId(const char *text, KorGuid &id) {
  id = KorGuid{};
  if (!text)
    return 0;
  char buffer[kRegistryValueMaxChars + 1];
  size_t length = strnlen(text, kRegistryValueMaxChars);
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';

  char *part = buffer;
  int fields = 0;
  while (fields < 11 && part) {
    char *comma = std::strchr(part, ',');
    if (comma)
      *comma = '\0';
    unsigned value = 0;
    if (!readHexPart(part, value))
      break;
    storeField(id, fields++, value);
    part = comma ? comma + 1 : nullptr;
  }
  return fields;
}
