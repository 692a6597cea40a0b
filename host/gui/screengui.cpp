//===- screengui.cpp - korhost's dialog builder when it may draw ----------===//
#include "host/gui/screengui.h"
#include "host/cli/hostoptions.h"
#include "host/gui/dialogwindow.h"
#include "host/gui/headlessgui.h"
#include "host/gui/qtguimodule.h"
#include "host/services/hostservices.h"

HostScreenGui::HostScreenGui(std::string modulePath, FILE *errors)
    : modulePath_(std::move(modulePath)), errors_(errors) {}

HostScreenGui::~HostScreenGui() = default;

IGuiUtil *HostScreenGui::drawingGui() {
  if (!loadTried_) {
    loadTried_ = true;
    drawing_ = IPtr<IGuiUtil>(loadQtGui(modulePath_, loadError_));
  }
  return drawing_.get();
}

IGuiUtil &HostScreenGui::target() {
  if (IGuiUtil *gui = drawingGui())
    return *gui;
  if (!headless_) {
    std::fprintf(errors_, "korhost: no on-screen dialogs in this korhost (%s)\n",
                 loadError_.c_str());
    headless_ = IPtr<HostHeadlessGui>(new HostHeadlessGui);
  }
  return *headless_;
}

bool HostScreenGui::GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                                    const KorWChar *directory,
                                    const KorWChar *filter) {
  if (presetSave_) {
    saveName_ = *presetSave_;
    if (saveName_.empty())
      return false;
    *fileName = saveName_.c_str();
    return true;
  }
  // Without a window nobody can answer: the dialog is cancelled.
  if (!drawingGui()) {
    target();
    return false;
  }
  return drawing_->GetSaveFileName(fileName, flags, directory, filter);
}

void HostScreenGui::addFileNameField(const char *name, int32_t number,
                                     int32_t width, HostFileNameWidget &field) {
  void *builder = nullptr;
  target().QueryInterface(HostDialogBuilder::kInterfaceName, &builder);
  if (builder)
    static_cast<HostDialogBuilder *>(builder)->addFileNameField(name, number,
                                                                width, field);
}

// Every other call goes to the GUI that draws.

void HostScreenGui::SetTitle(const KorWChar *title) { target().SetTitle(title); }

void HostScreenGui::OpenGroup(const KorWChar *caption) {
  target().OpenGroup(caption);
}

void HostScreenGui::OpenRow() { target().OpenRow(); }

void HostScreenGui::CloseGroup() { target().CloseGroup(); }

void HostScreenGui::AddField(const char *name, int32_t number, int32_t kind,
                             int32_t width) {
  target().AddField(name, number, kind, width);
}

void HostScreenGui::AddLabel(const char *name, int32_t number,
                             const KorWChar *text, int32_t width) {
  target().AddLabel(name, number, text, width);
}

void HostScreenGui::AddChoiceList(const char *name, int32_t number,
                                  const KorWChar *caption,
                                  const KorWChar *const *items, int32_t count,
                                  int32_t flags) {
  target().AddChoiceList(name, number, caption, items, count, flags);
}

void HostScreenGui::AddButton(const char *name, int32_t number,
                              const KorWChar *text) {
  target().AddButton(name, number, text);
}

void HostScreenGui::AddCheckBox(const char *name, int32_t number,
                                const KorWChar *text) {
  target().AddCheckBox(name, number, text);
}

void HostScreenGui::AddMultiLineText(const char *name, int32_t number,
                                     int32_t width, int32_t height) {
  target().AddMultiLineText(name, number, width, height);
}

void HostScreenGui::AddTreeList(const char *name, int32_t number, int32_t width,
                                int32_t height) {
  target().AddTreeList(name, number, width, height);
}

void HostScreenGui::SetRealRange(const char *name, int32_t number,
                                 double minimum, double maximum,
                                 int32_t decimals) {
  target().SetRealRange(name, number, minimum, maximum, decimals);
}

void HostScreenGui::SetIntegerRange(const char *name, int32_t number,
                                    int32_t minimum, int32_t maximum) {
  target().SetIntegerRange(name, number, minimum, maximum);
}

void HostScreenGui::SetRealIncrement(const char *name, int32_t number,
                                     double step) {
  target().SetRealIncrement(name, number, step);
}

void HostScreenGui::ListOption71(const char *name, int32_t number,
                                 int32_t value) {
  target().ListOption71(name, number, value);
}

void HostScreenGui::ListOption74(const char *name, int32_t number,
                                 int32_t value) {
  target().ListOption74(name, number, value);
}

void HostScreenGui::ListOption75(const char *name, int32_t number,
                                 int32_t value) {
  target().ListOption75(name, number, value);
}

void HostScreenGui::EnableField(const char *name, int32_t number, bool enabled,
                                int32_t code) {
  target().EnableField(name, number, enabled, code);
}

void HostScreenGui::FinishLayout(int32_t code, int32_t reserved) {
  target().FinishLayout(code, reserved);
}

void HostScreenGui::AddListItem(const char *name, int32_t number,
                                int32_t parent, IGuiItem *item) {
  target().AddListItem(name, number, parent, item);
}

void HostScreenGui::SetText(const char *name, int32_t number,
                            const KorWChar *text) {
  target().SetText(name, number, text);
}

void HostScreenGui::SetItemColour(const char *name, int32_t number,
                                  int32_t item, float red, float green,
                                  float blue, float alpha) {
  target().SetItemColour(name, number, item, red, green, blue, alpha);
}

void HostScreenGui::GetSelectedItems(const char *name, int32_t number,
                                     KorArray<int32_t> &out) {
  target().GetSelectedItems(name, number, out);
}

int32_t HostScreenGui::GetChoiceIndex(const char *name, int32_t number) {
  return target().GetChoiceIndex(name, number);
}

void HostScreenGui::ClearList(const char *name, int32_t number) {
  target().ClearList(name, number);
}

void HostScreenGui::SetRealValue(const char *name, int32_t number,
                                 double value) {
  target().SetRealValue(name, number, value);
}

void HostScreenGui::SetIntegerValue(const char *name, int32_t number,
                                    int32_t value) {
  target().SetIntegerValue(name, number, value);
}

bool HostScreenGui::GetCheck(const char *name, int32_t number) {
  return target().GetCheck(name, number);
}

void HostScreenGui::SetLabelColour(const char *name, int32_t number, float red,
                                   float green, float blue, float alpha) {
  target().SetLabelColour(name, number, red, green, blue, alpha);
}

void HostScreenGui::SetToolTip(const char *name, int32_t number,
                               const KorWChar *text) {
  target().SetToolTip(name, number, text);
}

IGuiUtil *hostDrawingGui(IGuiUtil *service, std::string &reason) {
  reason = "--headless, or built without Qt";
  if (!service)
    return nullptr;
  void *screen = nullptr;
  service->QueryInterface(HostScreenGui::kClassName, &screen);
  if (!screen)
    return hostDialogWindow(service) ? service : nullptr;
  auto &onScreen = *static_cast<HostScreenGui *>(screen);
  IGuiUtil *gui = onScreen.drawingGui();
  if (!gui)
    reason = onScreen.loadError();
  return gui;
}

namespace {
/// korhost may open windows and has found its Qt module.
bool drawsOnScreen(const HostOptions &options) {
  return hostWantsWindows(options) &&
         !findQtGuiModule(options.binaryDir).empty();
}
} // namespace

KORHOST_SERVICE_OVERRIDE("IGuiUtil", drawsOnScreen,
                         [](const HostOptions &options) {
                           return new HostScreenGui(
                               findQtGuiModule(options.binaryDir));
                         });
