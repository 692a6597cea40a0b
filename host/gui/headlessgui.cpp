//===- headlessgui.cpp - Dialog services of a host without a screen -------===//
#include "host/gui/headlessgui.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"
#include "component/idatastore.h"
#include "KorBasicTypes/korarray.h"
#include <cstdio>

HeadlessWidget *HostHeadlessGui::widget(const std::string &name,
                                        int32_t number) {
  auto it = widgets_.find({name, number});
  return it == widgets_.end() ? nullptr : &it->second;
}

HeadlessWidget &HostHeadlessGui::at(const char *name, int32_t number) {
  return widgets_[{name ? name : "", number}];
}

HeadlessWidget &HostHeadlessGui::create(const char *name, int32_t number,
                                        const char *kind) {
  Key key{name ? name : "", number};
  auto [it, added] = widgets_.try_emplace(key);
  bool placed = false;
  for (const Key &existing : order_)
    placed = placed || existing == key;
  if (!placed)
    order_.push_back(key);
  HeadlessWidget &widget = it->second;
  widget.kind = kind;
  widget.row = 0;
  widget.group.clear();
  for (auto c = open_.rbegin(); c != open_.rend(); ++c) {
    if (!c->isGroup && widget.row == 0)
      widget.row = c->row;
    if (c->isGroup && widget.group.empty())
      widget.group = c->caption;
  }
  return widget;
}

void HostHeadlessGui::SetTitle(const KorWChar *title) {
  title_ = title ? title : u"";
}

bool HostHeadlessGui::GetSaveFileName(const KorWChar **fileName, int32_t *,
                                      const KorWChar *, const KorWChar *) {
  if (presetSave_) {
    saveName_ = *presetSave_;
  } else {
    SPtr<IDataStore> settings;
    bool found = false;
    const KorWChar *value =
        settings ? settings->GetString("Headless/Save File Name", &found)
                 : nullptr;
    if (!found || !value || !*value)
      return false;
    saveName_ = value;
  }
  if (saveName_.empty())
    return false;
  *fileName = saveName_.c_str();
  return true;
}

void HostHeadlessGui::OpenGroup(const KorWChar *caption) {
  open_.push_back({true, 0, caption ? caption : u""});
}

void HostHeadlessGui::OpenRow() { open_.push_back({false, ++rows_, u""}); }

void HostHeadlessGui::CloseGroup() {
  if (!open_.empty())
    open_.pop_back();
}

void HostHeadlessGui::AddField(const char *name, int32_t number, int32_t kind,
                               int32_t width) {
  static const char *const kinds[] = {"text", "integer", "real"};
  create(name, number, kind >= 0 && kind < 3 ? kinds[kind] : "field").width =
      width;
}

void HostHeadlessGui::AddLabel(const char *name, int32_t number,
                               const KorWChar *text, int32_t width) {
  HeadlessWidget &label = create(name, number, "label");
  label.text = text ? text : u"";
  label.width = width;
}

void HostHeadlessGui::AddChoiceList(const char *name, int32_t number,
                                    const KorWChar *caption,
                                    const KorWChar *const *items, int32_t count,
                                    int32_t) {
  HeadlessWidget &list = create(name, number, "choice");
  list.text = caption ? caption : u"";
  list.choices.clear();
  for (int32_t i = 0; items && i < count; ++i)
    list.choices.emplace_back(items[i] ? items[i] : u"");
  list.choice = list.choices.empty() ? -1 : 0;
}

void HostHeadlessGui::AddButton(const char *name, int32_t number,
                                const KorWChar *text) {
  create(name, number, "button").text = text ? text : u"";
}

void HostHeadlessGui::AddCheckBox(const char *name, int32_t number,
                                  const KorWChar *text) {
  create(name, number, "check").text = text ? text : u"";
}

void HostHeadlessGui::AddMultiLineText(const char *name, int32_t number,
                                       int32_t width, int32_t height) {
  HeadlessWidget &text = create(name, number, "multiline");
  text.width = width;
  text.height = height;
}

void HostHeadlessGui::AddTreeList(const char *name, int32_t number,
                                  int32_t width, int32_t height) {
  HeadlessWidget &list = create(name, number, "tree");
  list.width = width;
  list.height = height;
}

void HostHeadlessGui::SetRealRange(const char *name, int32_t number,
                                   double minimum, double maximum,
                                   int32_t decimals) {
  HeadlessWidget &field = at(name, number);
  field.range = {minimum, maximum};
  field.decimals = decimals;
}

void HostHeadlessGui::SetIntegerRange(const char *name, int32_t number,
                                      int32_t minimum, int32_t maximum) {
  at(name, number).range = {minimum, maximum};
}

void HostHeadlessGui::SetRealIncrement(const char *name, int32_t number,
                                       double step) {
  at(name, number).step = step;
}

void HostHeadlessGui::ListOption71(const char *name, int32_t number,
                                   int32_t value) {
  at(name, number).listOptions[71] = value;
}

void HostHeadlessGui::ListOption74(const char *name, int32_t number,
                                   int32_t value) {
  at(name, number).listOptions[74] = value;
}

void HostHeadlessGui::ListOption75(const char *name, int32_t number,
                                   int32_t value) {
  at(name, number).listOptions[75] = value;
}

void HostHeadlessGui::EnableField(const char *name, int32_t number,
                                  bool enabled, int32_t code) {
  HeadlessWidget &field = at(name, number);
  field.enabled = enabled;
  field.enableCode = code;
}

void HostHeadlessGui::FinishLayout(int32_t code, int32_t reserved) {
  open_.clear();
  finish_ = {code, reserved};
}

void HostHeadlessGui::AddListItem(const char *name, int32_t number,
                                  int32_t parent, IGuiItem *item) {
  if (!item)
    return;
  const KorWChar *text = item->Text();
  at(name, number).items.push_back({parent, item->Number(), text ? text : u""});
}

void HostHeadlessGui::SetText(const char *name, int32_t number,
                              const KorWChar *text) {
  at(name, number).text = text ? text : u"";
}

void HostHeadlessGui::SetItemColour(const char *name, int32_t number,
                                    int32_t item, float red, float green,
                                    float blue, float alpha) {
  at(name, number).itemColours[item] = {red, green, blue, alpha};
}

void HostHeadlessGui::GetSelectedItems(const char *name, int32_t number,
                                       KorArray<int32_t> &out) {
  out.clear();
  for (int32_t item : at(name, number).selection)
    out.append(item);
}

int32_t HostHeadlessGui::GetChoiceIndex(const char *name, int32_t number) {
  return at(name, number).choice;
}

void HostHeadlessGui::ClearList(const char *name, int32_t number) {
  HeadlessWidget &list = at(name, number);
  list.items.clear();
  list.itemColours.clear();
  list.selection.clear();
}

void HostHeadlessGui::SetRealValue(const char *name, int32_t number,
                                   double value) {
  at(name, number).realValue = value;
}

void HostHeadlessGui::SetIntegerValue(const char *name, int32_t number,
                                      int32_t value) {
  at(name, number).integerValue = value;
}

bool HostHeadlessGui::GetCheck(const char *name, int32_t number) {
  return at(name, number).checked;
}

void HostHeadlessGui::SetLabelColour(const char *name, int32_t number,
                                     float red, float green, float blue,
                                     float alpha) {
  at(name, number).colour = std::array<float, 4>{red, green, blue, alpha};
}

void HostHeadlessGui::SetToolTip(const char *name, int32_t number,
                                 const KorWChar *text) {
  at(name, number).toolTip = text ? text : u"";
}

void HostHeadlessGui::addFileNameField(const char *name, int32_t number,
                                       int32_t width,
                                       HostFileNameWidget &field) {
  HeadlessWidget &widget = create(name, number, "filename");
  widget.width = width;
  widget.fileField = IPtr<HostFileNameWidget>(&field);
}

KORHOST_SERVICE("IGuiUtil",
                [](const HostOptions &) { return new HostHeadlessGui; });
