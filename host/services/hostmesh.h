//===- hostmesh.h - korhost's triangle mesh and its ".ikm" file form -------===//
//
// A mesh saves itself as a data-model file: the file header block holds one
// object block of class kHostMeshClassId whose payload is the vertex count,
// the vertex positions as x, y, z doubles, the triangle count and three
// 0-based vertex indices per triangle (unsigned 32-bit each).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikormesh.h"
#include "component/kortypes.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class BinOutput;
class KorFileRead;

/// Vertex positions and triangles of a mesh.
struct MeshData {
  /// x, y, z of each vertex, one after the other.
  std::vector<double> vertices;
  /// Three 0-based vertex indices per triangle.
  std::vector<uint32_t> triangles;

  size_t vertexCount() const { return vertices.size() / 3; }
  size_t triangleCount() const { return triangles.size() / 3; }
  bool operator==(const MeshData &) const = default;
};

/// Class identifier of the mesh object block.
inline constexpr KorGuid kHostMeshClassId =
    korGuid(0xC3D37906, 0x5E89, 0x46E6, 0x8C, 0x4C, 0x7F, 0xE5, 0xC1, 0xD1,
            0xC5, 0xB7);
/// Version of the mesh object block's payload.
inline constexpr uint8_t kHostMeshVersion = 0;

/// Writes `mesh` as a whole data-model file on `out` (header block and the
/// mesh object block); true when every value reached the stream.
bool writeMeshFile(const MeshData &mesh, BinOutput &out);

/// Reads the payload of a mesh object block the reader has just entered.
/// False, with `mesh` unchanged and what is wrong in `problem` (when
/// given), when the counts do not fit the block or an index names a
/// missing vertex.
bool readMeshPayload(KorFileRead &reader, MeshData &mesh,
                     std::string *problem = nullptr);

/// korhost's IKorMesh: a mesh held in memory.
class HostMesh : public IKorMesh {
public:
  KOR_CLASS(HostMesh, IKorMesh)
  explicit HostMesh(MeshData data) : data_(std::move(data)) {}

  /// Writes the mesh as a data-model file; false without a good stream.
  bool WriteMesh(BinOutput *out) override;
  const MeshData &data() const { return data_; }

private:
  MeshData data_;
};
