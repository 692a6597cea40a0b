//===- qtfilechooser.h - Asking for a file name to save to ----------------===//
//
// QtFileChooser shows Qt's save-file dialog over the dialog's window, or
// lets a hook answer in place of the user (tests). On platforms where
// nobody can answer a modal dialog (offscreen, minimal) it is cancelled
// instead of waiting forever.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <QString>
#include <functional>
#include <optional>

class QtDialogLayout;

/// Asks the user, or a hook, for the name of a file to save to.
class QtFileChooser {
public:
  /// Answers in place of the user: the chosen name, or nullopt when
  /// cancelled. Given the start folder and the Qt filter.
  using Hook = std::function<std::optional<QString>(const QString &directory,
                                                    const QString &filter)>;

  /// Shows its dialogs over the window of `layout`.
  explicit QtFileChooser(QtDialogLayout &layout) : layout_(layout) {}
  /// Answers through `hook` from now on (empty: ask the user).
  void setHook(Hook hook) { hook_ = std::move(hook); }
  /// A name chosen in `directory` among files matching `filter`; nullopt
  /// when cancelled or when nobody can answer.
  std::optional<QString> askSaveName(const QString &directory,
                                     const QString &filter) const;

private:
  QtDialogLayout &layout_;
  Hook hook_;
};
