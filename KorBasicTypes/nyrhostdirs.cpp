//===- nyrhostdirs.cpp - Folders for logs and temporary files -------------===//
#include "KorBasicTypes/nyrhostdirs.h"
#include "component/idatastore.h"
#include "component/ikordirservice.h"
#include "component/iptr.h"

namespace {
void appendUtf8(std::string &out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}
} // namespace

std::string nyrUtf8(const KorWChar *text) {
  std::string out;
  for (const KorWChar *c = text; c && *c; ++c) {
    uint32_t cp = *c;
    if (cp >= 0xD800 && cp < 0xDC00 && c[1] >= 0xDC00 && c[1] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (*++c - 0xDC00);
    else if (cp >= 0xD800 && cp < 0xE000)
      cp = 0xFFFD; // a lone surrogate
    appendUtf8(out, cp);
  }
  return out;
}

std::string nyrFolderPath(std::string folder) {
  for (char &c : folder)
    if (c == '\\')
      c = '/';
  while (folder.size() > 1 && folder.back() == '/')
    folder.pop_back();
  return folder;
}

std::string nyrSettingFolder(const char *key) {
  SPtr<IDataStore> store;
  return store ? nyrFolderPath(nyrUtf8(store->GetString(key, nullptr)))
               : std::string();
}

std::string nyrTempFolder() {
  std::string folder = nyrSettingFolder("Directories/Temp Directory");
  if (!folder.empty())
    return folder;
  SPtr<IKorDirService> dirs;
  return dirs ? nyrFolderPath(nyrUtf8(dirs->GetDirectory("temp")))
              : std::string();
}
