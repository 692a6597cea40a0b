//===- nyrhostdirs.h - Folders the host names for logs and temporary files ===//
#pragma once
#include "component/kortypes.h"
#include <string>

/// The UTF-8 form of a UTF-16 text (null gives the empty text).
std::string nyrUtf8(const KorWChar *text);
/// A folder as a POSIX path: '\' becomes '/', trailing separators go
/// (the root stays "/").
std::string nyrFolderPath(std::string folder);
/// The folder the string setting `key` names, or empty.
std::string nyrSettingFolder(const char *key);
/// The base folder of temporary files: "Directories/Temp Directory", else
/// the host directory service's "temp"; empty when neither names one.
std::string nyrTempFolder();
