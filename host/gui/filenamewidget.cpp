//===- filenamewidget.cpp - The host's file-name field of a dialog --------===//
#include "host/gui/filenamewidget.h"
#include "host/gui/dialogbuilder.h"
#include "host/services/hostservices.h"
#include "component/iguiutil.h"

void HostFileNameWidget::SetFilter(const KorWChar *filter) {
  filter_ = filter ? filter : u"";
}

void HostFileNameWidget::SetFileName(const KorWChar *fileName) {
  fileName_ = fileName ? fileName : u"";
  if (observer_)
    observer_();
}

void HostFileNameWidget::AddToDialog(IGuiUtil *gui, const char *name,
                                     int32_t number, int32_t width) {
  void *builder = nullptr;
  if (gui)
    gui->QueryInterface(HostDialogBuilder::kInterfaceName, &builder);
  if (builder)
    static_cast<HostDialogBuilder *>(builder)->addFileNameField(name, number,
                                                                width, *this);
}

KORHOST_SERVICE("IFileNameWidgetV2",
                [](const HostOptions &) { return new HostFileNameWidget; });
