//===- genwriteikormeshcmd.h - The "Write IKorMesh" command ----------------===//
//
// Saves the mesh of the current document to a file the user picks: the
// document's model container, its item "GenModel", the item's object and
// that object's "IKorMesh" must all exist; the mesh then writes itself into
// a binary output file. The command reports nothing itself: every failure
// ends in the result false.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "commands/compbasecmd.h"
#include "component/iptr.h"

class IKorMesh;
class IKorModelContainer;

/// The "Write IKorMesh" command.
class GenWriteIKorMeshCmd : public virtual CompBaseCmd {
public:
  KOR_CLASS_DERIVED(GenWriteIKorMeshCmd, CompBaseCmd)
  /// Kind 3 and the translated title "Write IKorMesh".
  GenWriteIKorMeshCmd();

  /// Slot 23: this command reports kind 0.
  uint32_t Kind() override { return 0; }
  /// Slot 24: available outside other commands when the context's model
  /// has a "GenModel" item whose object is a mesh.
  bool IsAvailable(IKorCommandContext *context) override;
  /// Slot 29: asks for a file name and has the current mesh write itself
  /// into it; true when the mesh was written (the file is then flushed).
  bool Execute() override;
};

/// The mesh of the item "GenModel" of `container`; empty when the
/// container, the item, its object or the object's "IKorMesh" is missing.
IPtr<IKorMesh> korModelMesh(IKorModelContainer *container);
