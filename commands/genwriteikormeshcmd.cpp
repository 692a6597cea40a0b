//===- genwriteikormeshcmd.cpp - The "Write IKorMesh" command --------------===//
#include "commands/genwriteikormeshcmd.h"
#include "KorBasicTypes/binfile.h"
#include "component/idatastore.h"
#include "component/iguiutil.h"
#include "component/ikorcommandcontext.h"
#include "component/ikordoc.h"
#include "component/ikormesh.h"
#include "component/iptr.h"
#include "frame/koritemfactory.h"
#include "KorBasicTypes/translate.h"

KOR_REGISTER_CLASS_AT_LOAD(GenWriteIKorMeshCmd, 0x38D45DC6, 0x5736, 0x41C0,
                           0x8E, 0x53, 0xBE, 0x05, 0xAF, 0x26, 0x0F, 0xB0);

namespace {
/// The model item whose mesh the command saves.
constexpr const char *kModelItemName = "GenModel";
/// The filter of the save dialog, before translation.
constexpr const char *kFileFilter = "IKorMesh (*.ikm)";
/// The setting that names the save dialog's starting folder.
constexpr const char *kSaveDirectoryKey = "Directories/Save Directory";
} // namespace

IPtr<IKorMesh> korModelMesh(IKorModelContainer *container) {
  if (!container)
    return {};
  IKorModelItem *item = container->Item(kModelItemName);
  if (!item)
    return {};
  IKorUnknown *object = item->Object();
  if (!object)
    return {};
  return IPtr<IKorMesh>(object);
}

GenWriteIKorMeshCmd::GenWriteIKorMeshCmd()
    : CompBaseCmd(kComponentCommandKind, "Write IKorMesh") {}

bool GenWriteIKorMeshCmd::IsAvailable(IKorCommandContext *context) {
  if (!context || context->GetFlag("inCommand"))
    return false;
  return static_cast<bool>(korModelMesh(context->ModelContainer()));
}

bool GenWriteIKorMeshCmd::Execute() {
  SPtr<IKorDoc> document;
  if (!document)
    return false;
  IPtr<IKorMesh> mesh = korModelMesh(document->CurrentModel(0, 0));
  if (!mesh)
    return false;
  SPtr<IGuiUtil> gui;
  SPtr<IDataStore> settings;
  if (!gui || !settings)
    return false;

  const KorWChar *directory = settings->GetString(kSaveDirectoryKey, nullptr);
  KorString filter = korTranslate(kFileFilter);
  const KorWChar *fileName = u"";
  int32_t flags = 0;
  if (!gui->GetSaveFileName(&fileName, &flags, directory ? directory : u"",
                            filter.data()))
    return false;

  // The stream closes the file when it goes out of scope; only a written
  // mesh is flushed, a failed write leaves whatever reached the file.
  BinOutputFile out(fileName);
  if (!mesh->WriteMesh(&out))
    return false;
  out.flush();
  return true;
}
