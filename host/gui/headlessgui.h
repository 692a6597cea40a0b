//===- headlessgui.h - Dialog services of a host without a screen ---------===//
//
// korhost shows no windows: its "IGuiUtil" keeps every widget a dialog
// adds, in the order added and with its row and group, value, range,
// colour and list items, so commands can lay out and drive their dialogs
// unchanged and tests can read the result. Tests act as the user through
// click, selectItems, chooseOption, enterInteger and typeFileName, which
// change a widget and tell the receiver set by setReceiver. The save-file
// dialog answers the name preset by setPresetSaveName, else the setting
// "Headless/Save File Name", else it is cancelled.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iguireceiver.h"
#include "host/gui/dialogbuilder.h"
#include "host/gui/filenamewidget.h"
#include "host/gui/guiitem.h"
#include "component/iguiutil.h"
#include "component/iptr.h"
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// A list item as it was when added: its parent's number, number and text.
struct HeadlessListItem {
  int32_t parent = 0;
  int32_t number = 0;
  std::u16string text;
};

/// Everything the headless GUI knows about one widget.
struct HeadlessWidget {
  std::string kind;     ///< "label", "button", "check", "text", "integer", ...
  int32_t row = 0;      ///< number of the row it sits in (0: none)
  std::u16string group; ///< caption of the group it sits in
  int32_t width = 0;
  int32_t height = 0;
  std::u16string text;
  std::vector<std::u16string> choices;
  int32_t choice = -1;
  bool checked = false;
  bool enabled = true;
  int32_t enableCode = 0; ///< the reason given with the last enable call
  int32_t integerValue = 0;
  double realValue = 0.0;
  std::pair<double, double> range{0.0, 0.0};
  int32_t decimals = -1;
  double step = 0.0;
  std::optional<std::array<float, 4>> colour;
  std::u16string toolTip;
  std::map<int32_t, int32_t> listOptions; ///< slot -> value
  std::vector<HeadlessListItem> items;    ///< in the order added
  std::map<int32_t, std::array<float, 4>> itemColours;
  std::vector<int32_t> selection;
  IPtr<HostFileNameWidget> fileField;
};

/// The host's IGuiUtil without a screen.
class HostHeadlessGui : public IGuiUtil, public HostDialogBuilder {
public:
  KOR_CLASS(HostHeadlessGui, IGuiUtil, HostDialogBuilder)
  using Key = std::pair<std::string, int32_t>;

  void SetTitle(const KorWChar *title) override;
  bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                       const KorWChar *directory,
                       const KorWChar *filter) override;
  void OpenGroup(const KorWChar *caption) override;
  void OpenRow() override;
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
  void SetRealIncrement(const char *name, int32_t number, double step) override;
  void ListOption71(const char *name, int32_t number, int32_t value) override;
  void ListOption74(const char *name, int32_t number, int32_t value) override;
  void ListOption75(const char *name, int32_t number, int32_t value) override;
  void EnableField(const char *name, int32_t number, bool enabled,
                   int32_t code) override;
  void FinishLayout(int32_t code, int32_t reserved) override;
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
  /// Records a "filename" widget that shows the field's current name.
  void addFileNameField(const char *name, int32_t number, int32_t width,
                        HostFileNameWidget &field) override;

  /// The widget of that key, or null.
  HeadlessWidget *widget(const std::string &name, int32_t number);
  /// The widget of that key, created empty (outside the layout) when
  /// missing.
  HeadlessWidget &at(const char *name, int32_t number);
  /// The keys of the widgets in the order the dialog added them.
  const std::vector<Key> &creationOrder() const { return order_; }
  const std::u16string &title() const { return title_; }
  /// The arguments of the closing layout call, if it came.
  const std::optional<std::pair<int32_t, int32_t>> &finish() const {
    return finish_;
  }
  /// The name the next save-file dialog answers (nullopt: ask the settings).
  void setPresetSaveName(std::optional<std::u16string> name) {
    presetSave_ = std::move(name);
  }

  /// The object told of the user's actions below (null: nobody).
  void setReceiver(IGuiReceiver *receiver);
  /// Presses a button, or toggles a check box, and reports its state
  /// (a button reports 1).
  void click(const char *name, int32_t number);
  /// Selects these items of a list and reports the number selected.
  void selectItems(const char *name, int32_t number,
                   std::vector<int32_t> items);
  /// Picks an entry of a choice list; the dialog reads it when it needs it.
  void chooseOption(const char *name, int32_t number, int32_t index);
  /// Types a value into an integer field and reports it.
  void enterInteger(const char *name, int32_t number, int32_t value);
  /// Types a name into a file-name field and reports code 0.
  void typeFileName(const char *name, int32_t number,
                    const std::u16string &text);
  /// The dialog as text: title, then each widget in order under its row and
  /// group, with what it shows.
  std::string dump();

private:
  /// A row (empty caption, numbered) or a group open now.
  struct Container {
    bool isGroup;
    int32_t row;
    std::u16string caption;
  };
  /// Starts a widget at the current place in the layout.
  HeadlessWidget &create(const char *name, int32_t number, const char *kind);

  std::map<Key, HeadlessWidget> widgets_;
  std::vector<Key> order_;
  std::vector<Container> open_;
  int32_t rows_ = 0;
  std::u16string title_;
  std::u16string saveName_;
  std::optional<std::u16string> presetSave_;
  std::optional<std::pair<int32_t, int32_t>> finish_;
  IPtr<IGuiReceiver> receiver_;
};
