//===- headlessguiuser.cpp - Acting as the user of a headless dialog ------===//
//
// What a person would do in a dialog of HostHeadlessGui, for tests and
// scripted sessions: each action changes the widget, then tells the
// receiver as a real dialog would.
//
//===----------------------------------------------------------------------===//
#include "host/gui/headlessgui.h"

void HostHeadlessGui::setReceiver(IGuiReceiver *receiver) {
  receiver_ = IPtr<IGuiReceiver>(receiver);
}

void HostHeadlessGui::click(const char *name, int32_t number) {
  HeadlessWidget &widget = at(name, number);
  int32_t state = 1;
  if (widget.kind == "check") {
    widget.checked = !widget.checked;
    state = widget.checked ? 1 : 0;
  }
  if (receiver_)
    receiver_->OnButton(number, state);
}

void HostHeadlessGui::selectItems(const char *name, int32_t number,
                                  std::vector<int32_t> items) {
  HeadlessWidget &list = at(name, number);
  list.selection = std::move(items);
  if (receiver_)
    receiver_->OnSelection(number, static_cast<int32_t>(list.selection.size()));
}

void HostHeadlessGui::chooseOption(const char *name, int32_t number,
                                   int32_t index) {
  at(name, number).choice = index;
}

void HostHeadlessGui::enterInteger(const char *name, int32_t number,
                                   int32_t value) {
  at(name, number).integerValue = value;
  if (receiver_)
    receiver_->OnIntegerValue(number, value);
}

void HostHeadlessGui::typeFileName(const char *name, int32_t number,
                                   const std::u16string &text) {
  HeadlessWidget &widget = at(name, number);
  if (widget.fileField)
    widget.fileField->takeUserName(text);
  if (receiver_)
    receiver_->OnNotify(number, 0);
}
