//===- headlessgui.cpp - Dialog services of a host without a screen -------===//
#include "headlessgui.h"
#include "filenamewidget.h"
#include "hostservices.h"
#include "idatastore.h"
#include "korarray.h"

HeadlessWidget *HostHeadlessGui::widget(const std::string &name,
                                        int32_t number) {
  auto it = widgets_.find({name, number});
  return it == widgets_.end() ? nullptr : &it->second;
}

HeadlessWidget &HostHeadlessGui::at(const char *name, int32_t number) {
  return widgets_[{name ? name : "", number}];
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

void HostHeadlessGui::OpenGroup(const KorWChar *) { ++depth_; }

void HostHeadlessGui::CloseGroup() {
  if (depth_ > 0)
    --depth_;
}

void HostHeadlessGui::AddField(const char *name, int32_t number, int32_t kind,
                               int32_t) {
  static const char *const kinds[] = {"text", "integer", "real"};
  at(name, number).kind = kind >= 0 && kind < 3 ? kinds[kind] : "field";
}

void HostHeadlessGui::AddLabel(const char *name, int32_t number,
                               const KorWChar *text, int32_t) {
  HeadlessWidget &label = at(name, number);
  label.kind = "label";
  label.text = text ? text : u"";
}

void HostHeadlessGui::AddChoiceList(const char *name, int32_t number,
                                    const KorWChar *caption,
                                    const KorWChar *const *items, int32_t count,
                                    int32_t) {
  HeadlessWidget &list = at(name, number);
  list.kind = "choice";
  list.text = caption ? caption : u"";
  list.choices.clear();
  for (int32_t i = 0; items && i < count; ++i)
    list.choices.emplace_back(items[i] ? items[i] : u"");
  list.choice = list.choices.empty() ? -1 : 0;
}

void HostHeadlessGui::AddButton(const char *name, int32_t number,
                                const KorWChar *text) {
  HeadlessWidget &button = at(name, number);
  button.kind = "button";
  button.text = text ? text : u"";
}

void HostHeadlessGui::AddCheckBox(const char *name, int32_t number,
                                  const KorWChar *text) {
  HeadlessWidget &check = at(name, number);
  check.kind = "check";
  check.text = text ? text : u"";
}

void HostHeadlessGui::AddMultiLineText(const char *name, int32_t number,
                                       int32_t, int32_t) {
  at(name, number).kind = "multiline";
}

void HostHeadlessGui::AddTreeList(const char *name, int32_t number, int32_t,
                                  int32_t) {
  at(name, number).kind = "tree";
}

void HostHeadlessGui::SetRealRange(const char *name, int32_t number,
                                   double minimum, double maximum, int32_t) {
  at(name, number).range = {minimum, maximum};
}

void HostHeadlessGui::SetIntegerRange(const char *name, int32_t number,
                                      int32_t minimum, int32_t maximum) {
  at(name, number).range = {minimum, maximum};
}

void HostHeadlessGui::EnableField(const char *name, int32_t number,
                                  bool enabled, int32_t) {
  at(name, number).enabled = enabled;
}

void HostHeadlessGui::AddListItem(const char *name, int32_t number,
                                  int32_t parent, IGuiItem *item) {
  at(name, number).items.emplace_back(parent, IPtr<IGuiItem>(item));
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
  at(name, number).colour = {red, green, blue, alpha};
}

void HostHeadlessGui::SetToolTip(const char *name, int32_t number,
                                 const KorWChar *text) {
  at(name, number).toolTip = text ? text : u"";
}

void HostHeadlessGui::addFileNameField(const char *name, int32_t number,
                                       int32_t, HostFileNameWidget &field) {
  HeadlessWidget &widget = at(name, number);
  widget.kind = "filename";
  widget.text = field.GetFileName();
}

KORHOST_SERVICE("IGuiUtil",
                [](const HostOptions &) { return new HostHeadlessGui; });
