//===- commandcommand.cpp - `korhost command TITLE`: run a component command ===//
#include "host/cli/commandcommand.h"
#include "host/services/componentmanager.h"
#include "host/gui/dialogwindow.h"
#include "host/gui/headlessgui.h"
#include "host/gui/screengui.h"
#include "host/services/hostutf.h"
#include "component/ikordoc.h"
#include "KorBasicTypes/korstring.h"
#include <vector>

IKorModelContainer *HostCommandContext::ModelContainer() {
  SPtr<IKorDoc> document;
  return document ? document->CurrentModel(0, 0) : nullptr;
}

namespace {
/// The command of class `id` when its title is `title`, else empty.
IPtr<IComponentCommand> commandOfClass(LoadedComponent &loaded,
                                       const KorGuid &id,
                                       const std::u16string &title) {
  IKorUnknown *object = nullptr;
  if (loaded.component->CreateObject(id, &object) == 0 || !object)
    return {};
  // A new object comes without a reference: the holder takes the first.
  IPtr<IKorUnknown> holder(object);
  IPtr<IComponentCommand> command(object);
  if (!command || command->Title().view() != title)
    return {};
  return command;
}

/// `gui` as an object of the host class `Class`, or null.
template <class Class> Class *asClass(IGuiUtil &gui) {
  void *found = nullptr;
  gui.QueryInterface(Class::kClassName, &found);
  return static_cast<Class *>(found);
}

/// Makes the save dialog answer `saveAs`; without it an on-screen dialog
/// asks the user and a headless one is cancelled. A preset name draws no
/// window, so it loads no window toolkit.
void presetSaveDialog(HostComponentManager &manager,
                      const std::optional<std::string> &saveAs) {
  void *service = nullptr;
  if (manager.LookupService("IGuiUtil", &service) != 1 || !service)
    return;
  // The manager answers the service's "IGuiUtil" interface.
  auto *gui = static_cast<IGuiUtil *>(service);
  std::optional<std::u16string> name;
  if (saveAs)
    name = hostToUtf16(*saveAs);
  if (auto *screen = asClass<HostScreenGui>(*gui))
    screen->setPresetSaveName(name);
  else if (HostDialogWindow *window = hostDialogWindow(gui))
    window->setPresetSaveName(name);
  else if (auto *headless = asClass<HostHeadlessGui>(*gui))
    headless->setPresetSaveName(name.value_or(u""));
}
} // namespace

IPtr<IComponentCommand> findComponentCommand(HostComponentManager &manager,
                                             const std::string &title) {
  const std::u16string wanted = hostToUtf16(title);
  for (const auto &loaded : manager.components()) {
    std::vector<KorGuid> ids;
    KorGuid id;
    for (bool more = loaded->internal->FirstClassId(&id); more;
         more = loaded->internal->NextClassId(&id))
      ids.push_back(id);
    for (const KorGuid &classId : ids)
      if (IPtr<IComponentCommand> command =
              commandOfClass(*loaded, classId, wanted))
        return command;
  }
  return {};
}

int runComponentCommand(HostComponentManager &manager, const std::string &title,
                        const std::optional<std::string> &saveAs, FILE *out,
                        FILE *errors) {
  IPtr<IComponentCommand> command = findComponentCommand(manager, title);
  if (!command) {
    std::fprintf(errors, "korhost: no component command titled \"%s\"\n",
                 title.c_str());
    return 2;
  }
  IPtr<HostCommandContext> context(new HostCommandContext);
  if (!command->IsAvailable(context.get())) {
    std::fprintf(errors, "korhost: command \"%s\" is not available\n",
                 title.c_str());
    return 1;
  }
  presetSaveDialog(manager, saveAs);
  if (!command->Execute()) {
    std::fprintf(errors, "korhost: command \"%s\" did not complete\n",
                 title.c_str());
    return 1;
  }
  std::fprintf(out, "command \"%s\" done\n", title.c_str());
  return 0;
}

CommandSubcommand::CommandSubcommand(CLI::App &cli)
    : app_(cli.add_subcommand("command",
                              "run a component command by its title")) {
  app_->add_option("title", title_, "the command's title, such as "
                                    "\"Write IKorMesh\"")
      ->required();
  app_->add_option("--save-as", saveAs_,
                   "file name the save dialog answers without showing "
                   "(default: ask on screen, cancel without a display)");
  // Global options such as --document may follow the title.
  app_->fallthrough();
}

int CommandSubcommand::run(HostComponentManager &manager) const {
  std::optional<std::string> saveAs;
  if (app_->count("--save-as") > 0)
    saveAs = saveAs_;
  return runComponentCommand(manager, title_, saveAs);
}
