//===- headlessgui.h - Dialog services of a host without a screen ---------===//
//
// korhost shows no windows: its "IGuiUtil" keeps every widget a dialog
// adds, with its value, range, colour and list items, so commands can lay
// out and drive their dialogs unchanged and tests can read the result. The
// save-file dialog answers the name preset by setPresetSaveName, else the
// setting "Headless/Save File Name", else it is cancelled.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "dialogbuilder.h"
#include "iguiutil.h"
#include "iptr.h"
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// A list item of the headless GUI.
class HostGuiItem : public IGuiItem {
public:
  KOR_CLASS(HostGuiItem, IGuiItem)
  void SetNumber(int32_t number) override { number_ = number; }
  int32_t Number() override { return number_; }
  void SetText(const KorWChar *text) override { text_ = text ? text : u""; }
  const KorWChar *Text() override { return text_.c_str(); }

private:
  int32_t number_ = 0;
  std::u16string text_;
};

/// Everything the headless GUI knows about one widget.
struct HeadlessWidget {
  std::string kind; ///< "label", "button", "check", "field", ...
  std::u16string text;
  std::vector<std::u16string> choices;
  int32_t choice = -1;
  bool checked = false;
  bool enabled = true;
  int32_t integerValue = 0;
  double realValue = 0.0;
  std::pair<double, double> range{0.0, 0.0};
  std::array<float, 4> colour{0, 0, 0, 1};
  std::u16string toolTip;
  /// List items in the order added, with their parent numbers.
  std::vector<std::pair<int32_t, IPtr<IGuiItem>>> items;
  std::map<int32_t, std::array<float, 4>> itemColours;
  std::vector<int32_t> selection;
};

/// The host's IGuiUtil without a screen.
class HostHeadlessGui : public IGuiUtil, public HostDialogBuilder {
public:
  KOR_CLASS(HostHeadlessGui, IGuiUtil)
  using Key = std::pair<std::string, int32_t>;

  void SetTitle(const KorWChar *title) override;
  bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                       const KorWChar *directory,
                       const KorWChar *filter) override;
  void OpenGroup(const KorWChar *caption) override;
  void OpenRow() override { ++depth_; }
  void CloseGroup() override;
  void AddField(const char *name, int32_t number, int32_t kind,
                int32_t width) override;
  void AddLabel(const char *name, int32_t number, const KorWChar *text,
                int32_t width) override;
  void AddChoiceList(const char *name, int32_t number, const KorWChar *caption,
                     const KorWChar *const *items, int32_t count,
                     int32_t flags) override;
  void AddButton(const char *name, int32_t number,
                 const KorWChar *text) override;
  void AddCheckBox(const char *name, int32_t number,
                   const KorWChar *text) override;
  void AddMultiLineText(const char *name, int32_t number, int32_t width,
                        int32_t height) override;
  void AddTreeList(const char *name, int32_t number, int32_t width,
                   int32_t height) override;
  void SetRealRange(const char *name, int32_t number, double minimum,
                    double maximum, int32_t decimals) override;
  void SetIntegerRange(const char *name, int32_t number, int32_t minimum,
                       int32_t maximum) override;
  void SetRealIncrement(const char *, int32_t, double) override {}
  void ListOption71(const char *, int32_t, int32_t) override {}
  void ListOption74(const char *, int32_t, int32_t) override {}
  void ListOption75(const char *, int32_t, int32_t) override {}
  void EnableField(const char *name, int32_t number, bool enabled,
                   int32_t code) override;
  void FinishLayout(int32_t, int32_t) override { depth_ = 0; }
  void AddListItem(const char *name, int32_t number, int32_t parent,
                   IGuiItem *item) override;
  void SetText(const char *name, int32_t number, const KorWChar *text) override;
  void SetItemColour(const char *name, int32_t number, int32_t item, float red,
                     float green, float blue, float alpha) override;
  void GetSelectedItems(const char *name, int32_t number,
                        KorArray<int32_t> &out) override;
  int32_t GetChoiceIndex(const char *name, int32_t number) override;
  void ClearList(const char *name, int32_t number) override;
  void SetRealValue(const char *name, int32_t number, double value) override;
  void SetIntegerValue(const char *name, int32_t number,
                       int32_t value) override;
  bool GetCheck(const char *name, int32_t number) override;
  void SetLabelColour(const char *name, int32_t number, float red, float green,
                      float blue, float alpha) override;
  void SetToolTip(const char *name, int32_t number,
                  const KorWChar *text) override;
  /// Records a "filename" widget showing the field's name.
  void addFileNameField(const char *name, int32_t number, int32_t width,
                        HostFileNameWidget &field) override;

  /// The widget of that key, or null.
  HeadlessWidget *widget(const std::string &name, int32_t number);
  /// The widget of that key, created empty when missing.
  HeadlessWidget &at(const char *name, int32_t number);
  const std::u16string &title() const { return title_; }
  /// The name the next save-file dialog answers (nullopt: ask the settings).
  void setPresetSaveName(std::optional<std::u16string> name) {
    presetSave_ = std::move(name);
  }

private:
  std::map<Key, HeadlessWidget> widgets_;
  std::u16string title_;
  std::u16string saveName_;
  std::optional<std::u16string> presetSave_;
  int depth_ = 0;
};
