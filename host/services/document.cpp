//===- document.cpp - korhost's open document and its model ----------------===//
#include "host/services/document.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tiny_obj_loader.h>

IKorModelItem *HostModelContainer::Item(const char *name) {
  auto it = items_.find(name ? name : "");
  return it == items_.end() ? nullptr : it->second.get();
}

void HostModelContainer::setItem(const std::string &name, IKorUnknown *object) {
  items_[name] = IPtr<IKorModelItem>(new HostModelItem(object));
}

HostDocument::HostDocument() : model_(new HostModelContainer) {}

void HostDocument::setMesh(MeshData mesh) {
  model_->setItem(kMeshItemName,
                  static_cast<IKorMesh *>(new HostMesh(std::move(mesh))));
}

HostDocument *HostDocument::fromOptions(const HostOptions &options) {
  const std::string &path = options.documentFile;
  MeshData mesh;
  std::string error;
  if (!path.empty() && !loadObjMesh(path, mesh, error))
    throw HostError{"cannot read document " + path + ": " + error};
  auto *document = new HostDocument;
  if (!path.empty())
    document->setMesh(std::move(mesh));
  return document;
}

namespace {
/// The first line of a loader message, without its line end.
std::string firstLine(const std::string &text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

/// Appends the triangles of one shape; false when a face names a vertex
/// the file does not have.
bool appendTriangles(const tinyobj::shape_t &shape, size_t vertexCount,
                     MeshData &mesh) {
  size_t first = 0;
  for (unsigned char corners : shape.mesh.num_face_vertices) {
    // Faces that could not be split into triangles are left out.
    if (corners == 3) {
      for (size_t i = first; i < first + 3; ++i) {
        int index = shape.mesh.indices[i].vertex_index;
        if (index < 0 || size_t(index) >= vertexCount)
          return false;
        mesh.triangles.push_back(static_cast<uint32_t>(index));
      }
    }
    first += corners;
  }
  return true;
}
} // namespace

std::string oversizedFaceIndex(std::istream &obj) {
  std::string line;
  for (int lineNumber = 1; std::getline(obj, line); ++lineNumber) {
    std::string_view rest(line);
    size_t start = rest.find_first_not_of(" \t");
    if (start == std::string_view::npos || rest[start] != 'f' ||
        rest.find_first_of(" \t", start) != start + 1)
      continue;
    rest.remove_prefix(start + 1);
    // Each vertex is "v", "v/t", "v//n" or "v/t/n"; every part is a number.
    while (!rest.empty()) {
      size_t digits = rest.find_first_of("0123456789");
      if (digits == std::string_view::npos)
        break;
      rest.remove_prefix(digits);
      uint64_t value = 0;
      auto [end, error] =
          std::from_chars(rest.data(), rest.data() + rest.size(), value);
      std::string_view indexText(rest.data(), size_t(end - rest.data()));
      if (error == std::errc::result_out_of_range || value > INT_MAX)
        return "line " + std::to_string(lineNumber) + ": face index " +
               std::string(indexText) + " does not fit in 32 bits";
      rest.remove_prefix(indexText.size());
    }
  }
  return {};
}

std::string hostUnreadableReason(const std::string &path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return std::strerror(EISDIR);
  if (!std::ifstream(path))
    return std::strerror(errno);
  return {};
}

bool loadObjMesh(const std::string &path, MeshData &mesh, std::string &error) {
  error = hostUnreadableReason(path);
  if (!error.empty())
    return false;
  // The loader reads indices as int and would wrap a larger one to another
  // vertex; such a file is refused with the line of the index.
  std::ifstream obj(path, std::ios::binary);
  error = oversizedFaceIndex(obj);
  if (!error.empty())
    return false;
  tinyobj::ObjReaderConfig config;
  config.triangulate = true;
  config.vertex_color = false;
  tinyobj::ObjReader reader;
  if (!reader.ParseFromFile(path, config)) {
    error = reader.Error().empty() ? "not a Wavefront OBJ file"
                                   : firstLine(reader.Error());
    return false;
  }
  MeshData read;
  const std::vector<tinyobj::real_t> &positions = reader.GetAttrib().vertices;
  read.vertices.assign(positions.begin(), positions.end());
  for (const tinyobj::shape_t &shape : reader.GetShapes())
    if (!appendTriangles(shape, read.vertexCount(), read)) {
      error = "a face names a vertex the file does not have";
      return false;
    }
  if (read.triangles.empty()) {
    error = "no triangles (not a Wavefront OBJ mesh)";
    return false;
  }
  mesh = std::move(read);
  return true;
}

KORHOST_SERVICE("IKorDoc", [](const HostOptions &options) -> IKorUnknown * {
  return static_cast<IKorDoc *>(HostDocument::fromOptions(options));
});
