//===- document_test.cpp - korhost's document, OBJ loading and mesh files ==//
#include "binfile.h"
#include "document.h"
#include "hostoptions.h"
#include "hostservices.h"
#include "korfile.h"
#include "meshinfocommand.h"
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
  EXPECT_EQ(mesh, before);
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

  // A header whose size runs past the end of the file.
  std::string cut = file("cut.ikm", std::string("NYR\x01\0\0\0\0\0\0\x10\0", 12));
  Info damaged = meshInfo(cut);
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(damaged.errors, "korhost: " + cut + " is damaged\n");

  std::string empty = file("empty.ikm", std::string("NYR\x01\0\0\0\0\0\0\0\x0C", 12));
  Info noMesh = meshInfo(empty);
  EXPECT_EQ(noMesh.status, 1);
  EXPECT_EQ(noMesh.out, "block 4E5952 version 1, 12 bytes: data-model file\n");
  EXPECT_EQ(noMesh.errors, "korhost: " + empty + " holds no mesh\n");
}
} // namespace
