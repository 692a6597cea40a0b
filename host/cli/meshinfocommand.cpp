//===- meshinfocommand.cpp - `korhost mesh-info FILE`: what a mesh file holds ===//
#include "host/cli/meshinfocommand.h"
#include "KorBasicTypes/binfile.h"
#include "host/services/componentmanager.h"
#include "host/services/document.h"
#include "host/services/hostmesh.h"
#include "host/services/hostutf.h"
#include "component/iptr.h"
#include "KorBasicTypes/korfile.h"

namespace {
/// What a block of a fixed id holds.
const char *blockKind(uint32_t id) {
  switch (id) {
  case KorBlock::kFileHeader:
    return "data-model file";
  case KorBlock::kDouble3:
    return "three doubles";
  case KorBlock::kColour:
    return "colour";
  case KorBlock::kNarrowString:
    return "narrow string";
  case KorBlock::kMatrix4:
    return "4x4 matrix";
  case KorBlock::kWideString:
    return "wide string";
  case KorBlock::kDouble4:
    return "four doubles";
  case KorBlock::kGuid:
    return "GUID";
  case KorBlock::kDouble2:
    return "two doubles";
  case KorBlock::kFloat2:
    return "two floats";
  case KorBlock::kObject:
    return "object";
  default:
    return "unknown block";
  }
}

/// Walks the blocks of one data-model file and sums up its meshes.
class BlockTreePrinter {
public:
  BlockTreePrinter(KorFileRead &reader, FILE *out)
      : reader_(reader), out_(out) {}

  /// Prints the file header block and its children; false when a block
  /// is damaged.
  bool printFile() { return printBlock(0); }
  /// What the reader or the mesh check found damaged, with its offset.
  const std::string &problem() const {
    return reader_.problem().empty() ? problem_ : reader_.problem();
  }
  size_t meshes() const { return meshes_; }
  size_t vertices() const { return vertices_; }
  size_t triangles() const { return triangles_; }

private:
  bool printBlock(int depth) {
    BinInput &stream = *reader_.stream();
    const int64_t start = stream.tell();
    if (!reader_.beginBlock())
      return false;
    const uint32_t id = reader_.blockId();
    const uint64_t size = stream.tell() + reader_.remaining() - start;
    std::fprintf(out_, "%*sblock %06X version %u, %llu bytes: %s", 2 * depth,
                 "", id, reader_.blockVersion(),
                 static_cast<unsigned long long>(size), blockKind(id));
    bool intact = true;
    if (id == KorBlock::kObject)
      intact = printObject(start, size);
    std::fputc('\n', out_);
    if (intact && id == KorBlock::kFileHeader)
      while (intact && !reader_.atBlockEnd())
        intact = printBlock(depth + 1);
    reader_.endBlock();
    return intact && reader_.good();
  }

  /// Names the object's class and reads it when it is a mesh, whose block
  /// must end right after the mesh.
  bool printObject(int64_t start, uint64_t size) {
    const KorGuid &classId = reader_.objectGuid();
    std::fprintf(out_, " %s", formatGuid(classId).c_str());
    if (classId != kHostMeshClassId)
      return true;
    MeshData mesh;
    std::string where = "mesh block at offset " + std::to_string(start);
    std::string problem;
    if (!readMeshPayload(reader_, mesh, &problem))
      return damaged(where + " (" + std::to_string(size) +
                     " bytes): " + problem);
    if (uint64_t left = reader_.remaining())
      return damaged(where + " declares " + std::to_string(size) + " bytes, " +
                     std::to_string(left) + " more than its mesh");
    std::fprintf(out_, " mesh");
    ++meshes_;
    vertices_ += mesh.vertexCount();
    triangles_ += mesh.triangleCount();
    return true;
  }

  bool damaged(std::string what) {
    problem_ = std::move(what);
    return false;
  }

  KorFileRead &reader_;
  FILE *out_;
  std::string problem_;
  size_t meshes_ = 0;
  size_t vertices_ = 0;
  size_t triangles_ = 0;
};
} // namespace

int printMeshInfo(const std::string &path, FILE *out, FILE *errors) {
  if (std::string reason = hostUnreadableReason(path); !reason.empty()) {
    std::fprintf(errors, "korhost: cannot read %s: %s\n", path.c_str(),
                 reason.c_str());
    return 1;
  }
  BinInputFile file(hostToUtf16(path).c_str());
  IPtr<KorFileRead> reader(new KorFileRead(&file));
  uint32_t version = 0;
  if (!file.good() || !reader->isNextBlock(KorBlock::kFileHeader, &version) ||
      version > 1) {
    std::fprintf(errors, "korhost: %s is not a data-model file\n",
                 path.c_str());
    return 1;
  }
  BlockTreePrinter printer(*reader, out);
  if (!printer.printFile()) {
    const std::string &problem = printer.problem();
    std::fprintf(errors, "korhost: %s is damaged%s%s\n", path.c_str(),
                 problem.empty() ? "" : ": ", problem.c_str());
    return 1;
  }
  if (printer.meshes() == 0) {
    std::fprintf(errors, "korhost: %s holds no mesh\n", path.c_str());
    return 1;
  }
  std::fprintf(out, "vertices: %zu\ntriangles: %zu\n", printer.vertices(),
               printer.triangles());
  return 0;
}

MeshInfoSubcommand::MeshInfoSubcommand(CLI::App &cli)
    : app_(cli.add_subcommand("mesh-info",
                              "print the block tree and mesh counts of a "
                              "saved mesh file")) {
  app_->add_option("file", path_, "an .ikm file")->required();
  app_->fallthrough();
}
