//===- hostmesh.cpp - korhost's triangle mesh and its ".ikm" file form -----===//
#include "host/services/hostmesh.h"
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/korfile.h"
#include <string>

bool writeMeshFile(const MeshData &mesh, BinOutput &out) {
  const auto vertexCount = static_cast<uint32_t>(mesh.vertexCount());
  const auto triangleCount = static_cast<uint32_t>(mesh.triangleCount());
  KorFileWrite writer(&out, true);
  bool written = writer.writeFileHeader();
  written = writer.beginObjectGuid(kHostMeshClassId, kHostMeshVersion) &&
            written;
  written = writer.writeUInt32(vertexCount) && written;
  written = writer.writeTriples(mesh.vertices.data(), vertexCount) && written;
  written = writer.writeUInt32(triangleCount) && written;
  written = writer.writeUInt32s(mesh.triangles.data(), 3 * triangleCount) &&
            written;
  writer.endObject();
  written = writer.good() && written;
  // Closing the header block patches its size to the file length.
  writer.detach();
  return written && out.good();
}

bool readMeshPayload(KorFileRead &reader, MeshData &mesh,
                     std::string *problem) {
  auto damaged = [&](std::string what) {
    if (problem)
      *problem = std::move(what);
    return false;
  };
  MeshData read;
  uint32_t vertexCount = 0;
  if (reader.remaining() < sizeof vertexCount)
    return damaged("no vertex count");
  reader.readUInt32(vertexCount);
  // Counts are checked against the block before anything is allocated.
  if (reader.remaining() < uint64_t(vertexCount) * 3 * sizeof(double))
    return damaged(std::to_string(vertexCount) +
                   " vertices do not fit in the block");
  read.vertices.resize(size_t(vertexCount) * 3);
  if (!reader.readTriples(read.vertices.data(), vertexCount))
    return damaged("the vertices cannot be read");

  uint32_t triangleCount = 0;
  if (reader.remaining() < sizeof triangleCount)
    return damaged("no triangle count");
  reader.readUInt32(triangleCount);
  if (reader.remaining() < uint64_t(triangleCount) * 3 * sizeof(uint32_t))
    return damaged(std::to_string(triangleCount) +
                   " triangles do not fit in the block");
  read.triangles.resize(size_t(triangleCount) * 3);
  if (!reader.readUInt32s(read.triangles.data(), 3 * triangleCount))
    return damaged("the triangles cannot be read");
  for (uint32_t index : read.triangles)
    if (index >= vertexCount)
      return damaged("a triangle names vertex " + std::to_string(index) +
                     " of " + std::to_string(vertexCount));
  mesh = std::move(read);
  return true;
}

bool HostMesh::WriteMesh(BinOutput *out) {
  return out && out->good() && writeMeshFile(data_, *out);
}
