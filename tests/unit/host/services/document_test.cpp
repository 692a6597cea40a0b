//===- document_test.cpp - korhost's document, OBJ loading and mesh files ==//
#include "KorBasicTypes/binfile.h"
#include "host/services/document.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "KorBasicTypes/korfile.h"
#include "host/cli/meshinfocommand.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

const std::string kCubePath =
    std::string(KORTEST_SOURCE_DIR) + "/examples/meshes/cube.obj";

class DocumentTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kordocument-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  /// Writes `text` to a file of the test folder and returns its path.
  std::string file(const std::string &name, const std::string &text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  /// The output of mesh-info on `path`, and its error text and status.
  struct Info {
    std::string out, errors;
    int status;
  };
  Info meshInfo(const std::string &path) {
    std::string outPath = (dir_ / "out.txt").string();
    std::string errPath = (dir_ / "err.txt").string();
    FILE *out = std::fopen(outPath.c_str(), "w");
    FILE *errors = std::fopen(errPath.c_str(), "w");
    int status = printMeshInfo(path, out, errors);
    std::fclose(out);
    std::fclose(errors);
    auto slurp = [](const std::string &p) {
      std::ifstream in(p);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {slurp(outPath), slurp(errPath), status};
  }
  fs::path dir_;
};

TEST_F(DocumentTest, CubeQuadsBecomeTwelveTriangles) {
  MeshData cube;
  std::string error;
  ASSERT_TRUE(loadObjMesh(kCubePath, cube, error)) << error;
  EXPECT_EQ(cube.vertexCount(), 8u);
  EXPECT_EQ(cube.triangleCount(), 12u);
  EXPECT_EQ(std::vector<double>(cube.vertices.begin() + 18,
                                cube.vertices.begin() + 21),
            (std::vector<double>{1, 1, 1}));
  // "f 1 4 3 2" becomes two triangles over its four corners, 0-based.
  std::vector<uint32_t> firstFace(cube.triangles.begin(),
                                  cube.triangles.begin() + 6);
  std::sort(firstFace.begin(), firstFace.end());
  EXPECT_EQ(firstFace.front(), 0u);
  EXPECT_EQ(firstFace.back(), 3u);
  EXPECT_EQ(std::set<uint32_t>(firstFace.begin(), firstFace.end()).size(), 4u);
}

TEST_F(DocumentTest, BadObjFilesGiveOneLineReasons) {
  MeshData mesh{{1, 2, 3}, {0, 0, 0}};
  const MeshData before = mesh;
  std::string error;
  EXPECT_FALSE(loadObjMesh((dir_ / "missing.obj").string(), mesh, error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(loadObjMesh(dir_.string(), mesh, error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(loadObjMesh(file("points.obj", "v 0 0 0\nv 1 0 0\n"), mesh,
                           error));
  EXPECT_NE(error.find("no triangles"), std::string::npos) << error;
  EXPECT_FALSE(loadObjMesh(file("binary.obj", std::string("\0\x01\xFFNYR", 6)),
                           mesh, error));
  EXPECT_FALSE(loadObjMesh(file("far.obj", "v 0 0 0\nv 1 0 0\nf 1 2 9\n"),
                           mesh, error));
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  // 2^32 + 1 would wrap to vertex 1 in the loader.
  const std::string corners = "v 0 0 0\nv 1 0 0\nv 0 1 0\n# three\n";
  EXPECT_FALSE(loadObjMesh(file("wide.obj", corners + "f 1 2 4294967297\n"),
                           mesh, error));
  EXPECT_EQ(error, "line 5: face index 4294967297 does not fit in 32 bits");
  EXPECT_FALSE(loadObjMesh(
      file("widetex.obj", corners + "vt 0 0\nf 1/1 2/1 3/2147483648\n"), mesh,
      error));
  EXPECT_EQ(error, "line 6: face index 2147483648 does not fit in 32 bits");
  EXPECT_EQ(mesh, before);
  EXPECT_TRUE(loadObjMesh(file("fits.obj", corners + "f -3 2/1/1 3//1\n"),
                          mesh, error))
      << error;
}

TEST_F(DocumentTest, ModelItemGenModelHoldsTheMesh) {
  IPtr<HostDocument> document(new HostDocument);
  IKorModelContainer *model = document->CurrentModel(0, 0);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->Item("GenModel"), nullptr) << "an empty document";

  document->setMesh(MeshData{{0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}});
  IKorModelItem *item = model->Item("GenModel");
  ASSERT_NE(item, nullptr);
  IPtr<IKorMesh> mesh(item->Object());
  ASSERT_TRUE(mesh);
  EXPECT_STREQ(mesh->ClassName(), "HostMesh");
  EXPECT_EQ(model->Item("genmodel"), nullptr);
  EXPECT_EQ(model->Item(nullptr), nullptr);
}

TEST_F(DocumentTest, ServiceOpensTheDocumentOfTheOptions) {
  auto make = [](const HostOptions &options) -> IPtr<IKorDoc> {
    for (const HostServiceEntry &entry : hostServiceTable())
      if (entry.name == "IKorDoc")
        return IPtr<IKorDoc>(entry.make(options));
    return {};
  };
  HostOptions options;
  EXPECT_EQ(make(options)->CurrentModel(0, 0)->Item("GenModel"), nullptr);
  options.documentFile = kCubePath;
  EXPECT_NE(make(options)->CurrentModel(0, 0)->Item("GenModel"), nullptr);
  options.documentFile = (dir_ / "missing.obj").string();
  try {
    make(options);
    FAIL() << "a missing document must stop the host";
  } catch (const HostError &e) {
    EXPECT_EQ(e.message, "cannot read document " + options.documentFile +
                             ": No such file or directory");
  }
}

TEST_F(DocumentTest, MeshFileRoundTripsAndRejectsDamage) {
  MeshData cube;
  std::string error;
  ASSERT_TRUE(loadObjMesh(kCubePath, cube, error));
  std::u16string path = (dir_ / "cube.ikm").u16string();
  {
    BinOutputFile out(path.c_str());
    IPtr<IKorMesh> mesh(new HostMesh(cube));
    ASSERT_TRUE(mesh->WriteMesh(&out));
    out.flush();
  }
  IPtr<KorFileRead> reader(new KorFileRead);
  ASSERT_TRUE(reader->open(path.c_str()));
  uint32_t version = 9;
  ASSERT_TRUE(reader->beginObject(version));
  EXPECT_EQ(version, kHostMeshVersion);
  MeshData read;
  ASSERT_TRUE(readMeshPayload(*reader, read));
  EXPECT_EQ(read, cube);
  reader->close();

  // A vertex index past the vertex count is damage, not a mesh.
  MeshData broken{{0, 0, 0}, {0, 0, 1}};
  {
    BinOutputFile out(path.c_str());
    ASSERT_TRUE(writeMeshFile(broken, out));
    out.flush();
  }
  ASSERT_TRUE(reader->open(path.c_str()));
  ASSERT_TRUE(reader->beginObject(version));
  EXPECT_FALSE(readMeshPayload(*reader, read));
  EXPECT_EQ(read, cube);
}

TEST_F(DocumentTest, WriteFailsOnAStreamThatIsNotOpen) {
  BinOutputFile out(static_cast<FILE *>(nullptr));
  IPtr<IKorMesh> mesh(new HostMesh(MeshData{{0, 0, 0}, {0, 0, 0}}));
  EXPECT_FALSE(mesh->WriteMesh(&out));
  EXPECT_FALSE(mesh->WriteMesh(nullptr));
}

TEST_F(DocumentTest, MeshInfoNamesEveryBadFileInOneLine) {
  Info missing = meshInfo((dir_ / "missing.ikm").string());
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.errors, "korhost: cannot read " +
                                (dir_ / "missing.ikm").string() +
                                ": No such file or directory\n");

  std::string text = file("text.ikm", "hello, not blocks\n");
  EXPECT_EQ(meshInfo(text).errors,
            "korhost: " + text + " is not a data-model file\n");

  std::string empty = file("empty.ikm", std::string("NYR\x01\0\0\0\0\0\0\0\x0C", 12));
  Info noMesh = meshInfo(empty);
  EXPECT_EQ(noMesh.status, 1);
  EXPECT_EQ(noMesh.out, "block 4E5952 version 1, 12 bytes: data-model file\n");
  EXPECT_EQ(noMesh.errors, "korhost: " + empty + " holds no mesh\n");
}

TEST_F(DocumentTest, MeshInfoNamesTheOffsetOfDamage) {
  MeshData cube;
  std::string error;
  ASSERT_TRUE(loadObjMesh(kCubePath, cube, error));
  std::string good = (dir_ / "cube.ikm").string();
  {
    BinOutputFile out(fs::path(good).u16string().c_str());
    ASSERT_TRUE(writeMeshFile(cube, out));
    out.flush();
  }
  std::ifstream in(good, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  ASSERT_EQ(bytes.size(), 384u) << "header 12 bytes, mesh block 372 bytes";
  // Sets the low byte of the size field of the header (0) or the mesh (12).
  auto sized = [](std::string b, size_t block, uint8_t low) {
    b[block + 11] = char(low);
    return b;
  };
  struct Case {
    const char *name;
    std::string bytes;
    std::string problem;
  } cases[] = {
      {"trailing", bytes + "junk",
       "4 bytes after the last block, from offset 384"},
      {"headerpastend", sized(bytes, 0, 0x84),
       "block 4E5952 at offset 0 declares 388 bytes, past the end of the data "
       "at offset 384"},
      {"meshbeyondmesh", sized(sized(bytes + "junk", 0, 0x84), 12, 0x78),
       "mesh block at offset 12 declares 376 bytes, 4 more than its mesh"},
      {"meshshort", sized(bytes, 12, 0x70),
       "mesh block at offset 12 (368 bytes): 12 triangles do not fit in the "
       "block"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = file(std::string(c.name) + ".ikm", c.bytes);
    Info info = meshInfo(path);
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.errors,
              "korhost: " + path + " is damaged: " + c.problem + "\n");
  }
}
} // namespace
