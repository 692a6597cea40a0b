//===- document.h - korhost's open document and its model ------------------===//
//
// The service "IKorDoc": with --document FILE korhost opens a Wavefront OBJ
// file and keeps its triangles as the model item "GenModel", whose object
// is a HostMesh. Without a document the current model is empty.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "host/services/hostmesh.h"
#include "component/ikordoc.h"
#include "component/iptr.h"
#include <iosfwd>
#include <map>
#include <string>

struct HostOptions;

/// A model item: holds one reference on its object.
class HostModelItem : public IKorModelItem {
public:
  KOR_CLASS(HostModelItem, IKorModelItem)
  explicit HostModelItem(IKorUnknown *object) : object_(object) {}
  IKorUnknown *Object() override { return object_.get(); }

private:
  IPtr<IKorUnknown> object_;
};

/// The items of a model by name.
class HostModelContainer : public IKorModelContainer {
public:
  KOR_CLASS(HostModelContainer, IKorModelContainer)
  IKorModelItem *Item(const char *name) override;
  /// Adds or replaces the item `name`, holding `object`.
  void setItem(const std::string &name, IKorUnknown *object);

private:
  std::map<std::string, IPtr<IKorModelItem>> items_;
};

/// korhost's IKorDoc: one document with one model.
class HostDocument : public IKorDoc {
public:
  KOR_CLASS(HostDocument, IKorDoc)
  /// The name of the model item that holds the document's mesh.
  static constexpr const char *kMeshItemName = "GenModel";

  /// An empty document.
  HostDocument();
  /// The document of `options`: the mesh of its document file, else empty.
  /// Throws HostError naming the file when it cannot be read.
  static HostDocument *fromOptions(const HostOptions &options);

  IKorModelContainer *CurrentModel(int32_t, int32_t) override {
    return model_.get();
  }
  /// Makes `mesh` the object of the item "GenModel".
  void setMesh(MeshData mesh);
  HostModelContainer &model() { return *model_; }

private:
  IPtr<HostModelContainer> model_;
};

/// Reads the faces of a Wavefront OBJ file as triangles (polygons are
/// split into triangles). False, with a one-line reason in `error`, when the
/// file cannot be read, a face index does not fit in 32 bits or the file
/// holds no triangle.
bool loadObjMesh(const std::string &path, MeshData &mesh, std::string &error);

/// The first face index of an OBJ text that does not fit in a signed 32-bit
/// int, as "line N: face index X does not fit in 32 bits"; empty when all
/// fit.
std::string oversizedFaceIndex(std::istream &obj);

/// Why the file at `path` cannot be read (such as "Is a directory"); empty
/// when it can.
std::string hostUnreadableReason(const std::string &path);
