//===- qtguimodule.h - Finding and loading korhost's on-screen dialogs ----===//
//
// The Qt GUI is a module of its own, korhost_qt.so, so that korhost maps no
// Qt library until it draws its first dialog. The module sits beside korhost
// in a build tree and in <prefix>/lib/kortest when installed. Its name has no
// "lib" prefix, so the scan of the plugin folder (lib*.so) never takes it
// for a component. Its one export, korhostQtGui, makes the GUI object.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <string>

class IGuiUtil;

extern "C" {
/// The module's entry: a new on-screen GUI, without a reference.
__attribute__((visibility("default"))) IGuiUtil *korhostQtGui();
}

/// The name korhost looks the entry up by.
inline constexpr const char kQtGuiEntry[] = "korhostQtGui";

/// The module's path for a korhost living in `binaryDir`; empty when this
/// korhost was built without it or neither place holds it.
std::string findQtGuiModule(const std::string &binaryDir);

/// Loads the module at `path` for the rest of the process and makes its GUI;
/// null, with the reason in `error`, when the module cannot be loaded.
IGuiUtil *loadQtGui(const std::string &path, std::string &error);
