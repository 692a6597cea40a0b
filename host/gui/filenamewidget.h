//===- filenamewidget.h - The host's file-name field of a dialog ----------===//
//
// HostFileNameWidget keeps a filter and a file name for a command; a
// korhost dialog builder shows it. A builder that draws the field watches
// the name through setObserver so a name set by the command shows at once.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ifilenamewidget.h"
#include <functional>
#include <string>

/// The host's IFileNameWidgetV2: a filter and a name, shown by a builder.
class HostFileNameWidget : public IFileNameWidgetV2 {
public:
  KOR_CLASS(HostFileNameWidget, IFileNameWidgetV2)
  void SetFilter(const KorWChar *filter) override;
  void SetFileName(const KorWChar *fileName) override;
  const KorWChar *GetFileName() override { return fileName_.c_str(); }
  /// Places the field when `gui` is a korhost dialog builder.
  void AddToDialog(IGuiUtil *gui, const char *name, int32_t number,
                   int32_t width) override;

  const std::u16string &filter() const { return filter_; }
  /// Stores a name the user typed, without telling the observer.
  void takeUserName(std::u16string name) { fileName_ = std::move(name); }
  /// Called after every SetFileName; empty to stop watching.
  void setObserver(std::function<void()> observer) {
    observer_ = std::move(observer);
  }

private:
  std::u16string filter_;
  std::u16string fileName_;
  std::function<void()> observer_;
};
