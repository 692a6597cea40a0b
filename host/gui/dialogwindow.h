//===- dialogwindow.h - What korhost's on-screen dialog builder offers ----===//
//
// With a display, korhost draws real windows through its Qt module. Host
// code that shows a command's dialog (`korhost dialog`) reaches the
// module's builder through this interface, so it needs no window toolkit
// of its own.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include <optional>
#include <string>

class IGuiReceiver;
class IGuiUtil;
struct HostOptions;

/// The on-screen side of a korhost dialog builder.
class HostDialogWindow {
  KOR_INTERFACE(HostDialogWindow)
  virtual ~HostDialogWindow() = default;
  /// Widget events of the dialog go to `receiver` (null: nowhere).
  virtual void setReceiver(IGuiReceiver *receiver) = 0;
  /// Number of widgets laid out in the open dialog.
  virtual int widgetCount() const = 0;
  /// Shows the dialog laid out so far.
  virtual void showDialog() = 0;
  /// Clicks the button or check box whose name, else whose text, is
  /// `name`; false when the dialog has none.
  virtual bool clickButton(const std::string &name) = 0;
  /// Saves a picture of the dialog as PNG; false when it cannot be written.
  virtual bool saveScreenshot(const std::string &fileName) = 0;
  /// Waits until the user closes the dialog.
  virtual void runUntilClosed() = 0;
  /// Destroys the dialog's widgets; the next layout starts a new dialog.
  virtual void closeDialog() = 0;
  /// The next save-file dialogs answer `name` without showing (an empty
  /// name cancels them); nullopt shows them again.
  virtual void setPresetSaveName(std::optional<std::u16string> name) = 0;
};

/// True when the environment names a display: DISPLAY, WAYLAND_DISPLAY or
/// QT_QPA_PLATFORM (such as "offscreen") set and not empty.
bool hostHasDisplay();

/// True when korhost should draw its dialogs: a display and no --headless.
bool hostWantsWindows(const HostOptions &options);

/// The on-screen side of `gui` (its answer to "HostDialogWindow"), or null
/// for a headless builder.
HostDialogWindow *hostDialogWindow(IGuiUtil *gui);
