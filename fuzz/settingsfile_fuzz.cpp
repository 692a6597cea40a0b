// Fuzz target: korhost's settings-file parser on arbitrary text.
#include "host/services/settingsstore.h"
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  HostSettingsStore store;
  store.AddRef();
  store.loadText(std::string(reinterpret_cast<const char *>(data), size));
  for (const auto &[name, value] : store.sectionValues("KorTest")) {
    (void)isComponentIdText(value);
    (void)store.GetString(("KorTest/" + name).c_str(), nullptr);
  }
  store.GetDouble("Memory/MemLimit", 0);
  return 0;
}
