//===- hostoptions.h - What the command line tells the host services ------===//
#pragma once
#include <string>

/// Global options of korhost, shared with the services it creates.
struct HostOptions {
  std::string pluginDir;  ///< Folder scanned for component libraries.
  std::string configFile; ///< Settings file; empty for none.
  std::string binaryDir;  ///< Folder of the korhost executable.
  std::string documentFile; ///< Mesh opened as the document; empty for none.
  bool headless = false; ///< Never open a window, even with a display.
};

/// A failure the host reports as one line and a non-zero exit.
struct HostError {
  std::string message;
  int exitCode = 1;
};
