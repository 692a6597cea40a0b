//===- document_test.cpp - korhost's document, OBJ loading and mesh files ==//
#include "host/services/document.h"
#include "host/cli/meshinfocommand.h"
#include "KorBasicTypes/binfile.h"
#include "tests/unit/support/memorystream.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

class DocumentTest : public ::testing::Test {
protected:
  DocumentTest() { fs::create_directories(dir_); }
  ~DocumentTest() override { fs::remove_all(dir_); }
  /// Writes `bytes` to a file of the test folder and returns its path.
  std::string file(const std::string &name, const std::string &bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }

  fs::path dir_ =
      fs::temp_directory_path() / ("kordocument-" + std::to_string(getpid()));
};

TEST_F(DocumentTest, ObjFacesBecomeTrianglesOrOneLineReasons) {
  const std::string corners = "v 0 0 0\nv 1 0 0\nv 0 1 0\n# three\n";
  const struct {
    const char *name;
    std::string text, error;
    MeshData mesh = {};
  } cases[] = {
      // A quad is split along its shorter diagonal.
      {"quad", "v 0 0 0\nv 3 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n", "",
       {{0, 0, 0, 3, 0, 0, 1, 1, 0, 0, 1, 0}, {0, 1, 2, 0, 2, 3}}},
      {"relative", corners + "f -3 2/1/1 3//1\n", "",
       {{0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}}},
      {"points", "v 0 0 0\nv 1 0 0\n",
       "no triangles (not a Wavefront OBJ mesh)"},
      {"far", "v 0 0 0\nv 1 0 0\nf 1 2 9\n",
       "a face names a vertex the file does not have"},
      // 2^31 would wrap to a negative vertex in the loader.
      {"widetex", corners + "vt 0 0\nf 1/1 2/1 3/2147483648\n",
       "line 6: face index 2147483648 does not fit in 32 bits"},
      {"folder", "", "Is a directory"},
  };
  const MeshData untouched{{1, 2, 3}, {0, 0, 0}};
  for (const auto &c : cases) {
    MeshData mesh = untouched;
    std::string error, path = c.text.empty() ? dir_.string()
                                             : file("in.obj", c.text);
    EXPECT_EQ(loadObjMesh(path, mesh, error), c.error.empty()) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    const MeshData &want = c.error.empty() ? c.mesh : untouched;
    EXPECT_EQ(std::pair(mesh.vertices, mesh.triangles),
              std::pair(want.vertices, want.triangles))
        << c.name;
  }
}

TEST_F(DocumentTest, MeshInfoNamesWhatIsWrongAndWhere) {
  auto bytesOf = [](const MeshData &mesh) {
    MemoryOutput out;
    EXPECT_TRUE(writeMeshFile(mesh, out));
    return std::string(out.flushed().begin(), out.flushed().end());
  };
  const std::string triangle = bytesOf({{0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}});
  ASSERT_EQ(triangle.size(), 132u) << "header 12 bytes, mesh block 120 bytes";
  // Sets the low byte of the size field of the header (0) or the mesh (12).
  auto sized = [](std::string bytes, size_t block, uint8_t low) {
    bytes[block + 11] = char(low);
    return bytes;
  };
  const std::pair<std::string, std::string> cases[] = {
      {std::string("NYR\x01\0\0\0\0\0\0\0\x0C", 12), "holds no mesh"},
      {sized(triangle, 0, 0x88),
       "is damaged: block 4E5952 at offset 0 declares 136 bytes, past the end "
       "of the data at offset 132"},
      {sized(sized(triangle + "junk", 0, 0x88), 12, 0x7C),
       "is damaged: mesh block at offset 12 declares 124 bytes, 4 more than "
       "its mesh"},
      {bytesOf({{0, 0, 0}, {0, 0, 1}}),
       "is damaged: mesh block at offset 12 (72 bytes): a triangle names "
       "vertex 1 of 1"},
  };
  for (const auto &[bytes, error] : cases) {
    std::string path = file("in.ikm", bytes);
    char *text = nullptr;
    size_t size = 0;
    FILE *errors = open_memstream(&text, &size), *out = std::tmpfile();
    EXPECT_EQ(printMeshInfo(path, out, errors), 1);
    std::fclose(out), std::fclose(errors);
    EXPECT_EQ(std::string(text, size), "korhost: " + path + " " + error + "\n");
    std::free(text);
  }
  IPtr<IKorMesh> mesh(new HostMesh(MeshData{{0, 0, 0}, {0, 0, 0}}));
  BinOutputFile closed(static_cast<FILE *>(nullptr));
  EXPECT_FALSE(mesh->WriteMesh(&closed) || mesh->WriteMesh(nullptr));
}
} // namespace
