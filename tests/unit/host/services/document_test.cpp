//===- document_test.cpp - korhost's document, OBJ loading and mesh files ==//
#include "host/services/document.h"
#include "host/cli/meshinfocommand.h"
#include "KorBasicTypes/binfile.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

std::string slurp(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DocumentTest : public ::testing::Test {
protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }
  /// Writes `bytes` to a file of the test folder and returns its path.
  std::string file(const std::string &name, const std::string &bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }
  /// The error line mesh-info prints on the file `bytes`, which it refuses.
  std::string meshInfoError(const std::string &bytes) {
    std::string path = file("in.ikm", bytes);
    FILE *out = std::tmpfile(), *errors = std::fopen((dir_ / "e").c_str(), "w");
    EXPECT_EQ(printMeshInfo(path, out, errors), 1);
    std::fclose(out);
    std::fclose(errors);
    std::string text = slurp(dir_ / "e"), prefix = "korhost: " + path + " ";
    EXPECT_TRUE(text.starts_with(prefix)) << text;
    return text.substr(std::min(text.size(), prefix.size()));
  }
  /// The bytes of the mesh file of `mesh`.
  std::string meshFileBytes(const MeshData &mesh) {
    {
      BinOutputFile out((dir_ / "mesh.ikm").u16string().c_str());
      EXPECT_TRUE(writeMeshFile(mesh, out));
      out.flush();
    }
    return slurp(dir_ / "mesh.ikm");
  }

  fs::path dir_ =
      fs::temp_directory_path() / ("kordocument-" + std::to_string(getpid()));
};

TEST_F(DocumentTest, ObjFacesBecomeTrianglesOrOneLineReasons) {
  const std::string corners = "v 0 0 0\nv 1 0 0\nv 0 1 0\n# three\n";
  const std::vector<double> cornerVertices{0, 0, 0, 1, 0, 0, 0, 1, 0};
  const struct {
    const char *name;
    std::string text, error;
    MeshData mesh = {};
  } cases[] = {
      // A quad is split along its shorter diagonal.
      {"quad", "v 0 0 0\nv 3 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n", "",
       {{0, 0, 0, 3, 0, 0, 1, 1, 0, 0, 1, 0}, {0, 1, 2, 0, 2, 3}}},
      {"relative", corners + "f -3 2/1/1 3//1\n", "",
       {cornerVertices, {0, 1, 2}}},
      {"points", "v 0 0 0\nv 1 0 0\n",
       "no triangles (not a Wavefront OBJ mesh)"},
      {"far", "v 0 0 0\nv 1 0 0\nf 1 2 9\n",
       "a face names a vertex the file does not have"},
      // 2^31 would wrap to a negative vertex in the loader.
      {"widetex", corners + "vt 0 0\nf 1/1 2/1 3/2147483648\n",
       "line 6: face index 2147483648 does not fit in 32 bits"},
  };
  const MeshData untouched{{1, 2, 3}, {0, 0, 0}};
  for (const auto &c : cases) {
    MeshData mesh = untouched;
    std::string error;
    EXPECT_EQ(loadObjMesh(file(std::string(c.name) + ".obj", c.text), mesh,
                          error),
              c.error.empty())
        << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    const MeshData &want = c.error.empty() ? c.mesh : untouched;
    EXPECT_EQ(mesh.vertices, want.vertices) << c.name;
    EXPECT_EQ(mesh.triangles, want.triangles) << c.name;
  }
  MeshData mesh;
  std::string error;
  EXPECT_FALSE(loadObjMesh(dir_.string(), mesh, error));
  EXPECT_EQ(error, "Is a directory");
}

TEST_F(DocumentTest, MeshInfoNamesWhatIsWrongAndWhere) {
  const std::string triangle =
      meshFileBytes({{0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}});
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
      {meshFileBytes({{0, 0, 0}, {0, 0, 1}}),
       "is damaged: mesh block at offset 12 (72 bytes): a triangle names "
       "vertex 1 of 1"},
  };
  for (const auto &[bytes, error] : cases)
    EXPECT_EQ(meshInfoError(bytes), error + "\n");
}

TEST(HostMesh, WriteFailsWithoutAGoodStream) {
  IPtr<IKorMesh> mesh(new HostMesh(MeshData{{0, 0, 0}, {0, 0, 0}}));
  BinOutputFile closed(static_cast<FILE *>(nullptr));
  EXPECT_FALSE(mesh->WriteMesh(&closed));
  EXPECT_FALSE(mesh->WriteMesh(nullptr));
}
} // namespace
