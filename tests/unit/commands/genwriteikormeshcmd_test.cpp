//===- genwriteikormeshcmd_test.cpp - The "Write IKorMesh" command --------===//
#include "commands/genwriteikormeshcmd.h"
#include "KorBasicTypes/binfile.h"
#include "host/services/document.h"
#include "host/gui/headlessgui.h"
#include "component/ikorcommandcontext.h"
#include "frame/kordefaultclassfactory.h"
#include "KorBasicTypes/korfile.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/slotcheck.h"
#include "tests/unit/support/strtestsupport.h"
#include "host/services/translatorservice.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

/// An object that is no mesh.
class PlainObject : public IKorUnknown {
public:
  KOR_CLASS(PlainObject)
};

/// A mesh that writes a fixed number of bytes and answers as told.
class FakeMesh : public IKorMesh {
public:
  KOR_CLASS(FakeMesh, IKorMesh)
  FakeMesh(size_t bytes, bool succeed) : bytes_(bytes), succeed_(succeed) {}
  bool WriteMesh(BinOutput *out) override {
    ++calls;
    std::vector<uint8_t> data(bytes_, 0xAB);
    out->writeRaw(data.data(), data.size());
    return succeed_;
  }
  int calls = 0;

private:
  size_t bytes_;
  bool succeed_;
};

/// A document whose current model is whatever the test sets.
class FakeDocument : public IKorDoc {
public:
  KOR_CLASS(FakeDocument, IKorDoc)
  IKorModelContainer *CurrentModel(int32_t which, int32_t flags) override {
    seenArguments = {which, flags};
    return model;
  }
  IKorModelContainer *model = nullptr;
  std::pair<int32_t, int32_t> seenArguments{-1, -1};
};

/// A command context with a settable flag and model.
class FakeContext : public IKorCommandContext {
public:
  KOR_CLASS(FakeContext, IKorCommandContext)
  bool GetFlag(const char *name) override {
    return inCommand && std::string(name) == "inCommand";
  }
  IKorModelContainer *ModelContainer() override { return model; }
  bool inCommand = false;
  IKorModelContainer *model = nullptr;
};

/// The headless dialog, recording what the save dialog was shown.
class RecordingGui : public HostHeadlessGui {
public:
  bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                       const KorWChar *directory,
                       const KorWChar *filter) override {
    ++dialogs;
    startName = *fileName;
    seenFlags = *flags;
    seenDirectory = directory;
    seenFilter = filter;
    return HostHeadlessGui::GetSaveFileName(fileName, flags, directory, filter);
  }
  int dialogs = 0;
  std::u16string startName, seenDirectory, seenFilter;
  int32_t seenFlags = -1;
};

constexpr KorGuid kCommandClassId = korGuid(
    0x38D45DC6, 0x5736, 0x41C0, 0x8E, 0x53, 0xBE, 0x05, 0xAF, 0x26, 0x0F, 0xB0);

TEST(GenWriteIKorMeshCmd, NamesKindAndTitle) {
  IPtr<GenWriteIKorMeshCmd> command(new GenWriteIKorMeshCmd);
  EXPECT_STREQ(command->ClassName(), "GenWriteIKorMeshCmd");
  EXPECT_EQ(command->Kind(), 0u);
  EXPECT_EQ(command->Title(), u"Write IKorMesh");
  for (const char *name : {"GenWriteIKorMeshCmd", "CompBaseCmd", "IKorUnknown",
                           "IComponentCommand"}) {
    void *result = nullptr;
    command->QueryInterface(name, &result);
    EXPECT_NE(result, nullptr) << name;
  }
  EXPECT_SLOT(&IKorDoc::CurrentModel, 31);
  EXPECT_SLOT(&IKorModelContainer::Item, 29);
  EXPECT_SLOT(&IKorModelItem::Object, 0);
  EXPECT_SLOT(&IKorMesh::WriteMesh, 79);
}

TEST(GenWriteIKorMeshCmd, CreatableByItsClassIdentifier) {
  IKorUnknown *object = nullptr;
  ASSERT_EQ(KorDefaultClassFactory::instance().Create(kCommandClassId, &object),
            1);
  IPtr<IComponentCommand> command(object);
  ASSERT_TRUE(command);
  EXPECT_STREQ(command->ClassName(), "GenWriteIKorMeshCmd");
}

TEST(GenWriteIKorMeshCmd, AvailableOnlyOutsideCommandsWithAMeshModel) {
  IPtr<GenWriteIKorMeshCmd> command(new GenWriteIKorMeshCmd);
  IPtr<FakeContext> context(new FakeContext);
  IPtr<HostModelContainer> model(new HostModelContainer);
  EXPECT_FALSE(command->IsAvailable(nullptr));
  EXPECT_FALSE(command->IsAvailable(context.get())) << "no model";

  context->model = model.get();
  model->setItem("Other", static_cast<IKorMesh *>(new FakeMesh(0, true)));
  EXPECT_FALSE(command->IsAvailable(context.get())) << "no GenModel item";
  model->setItem("GenModel", nullptr);
  EXPECT_FALSE(command->IsAvailable(context.get())) << "item without object";
  model->setItem("GenModel", new PlainObject);
  EXPECT_FALSE(command->IsAvailable(context.get())) << "object is no mesh";

  model->setItem("GenModel", static_cast<IKorMesh *>(new FakeMesh(0, true)));
  EXPECT_TRUE(command->IsAvailable(context.get()));
  context->inCommand = true;
  EXPECT_FALSE(command->IsAvailable(context.get())) << "inside a command";
}

/// Offers a document, the recording dialog and settings to the command.
class WriteMeshExecute : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("korwritemesh-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    document_->model = model_.get();
    settings_->set("Directories/Save Directory", dir_.string());
  }
  void TearDown() override { fs::remove_all(dir_); }

  void offerAll() {
    host_.offer("IKorDoc", document_.get());
    host_.offer("IGuiUtil", gui_.get());
    host_.offer("IDataStore", settings_.get());
  }
  /// Puts `mesh` in the model as "GenModel".
  template <class Mesh> Mesh *useMesh(Mesh *mesh) {
    model_->setItem("GenModel", static_cast<IKorMesh *>(mesh));
    return mesh;
  }
  static bool execute() {
    IPtr<GenWriteIKorMeshCmd> command(new GenWriteIKorMeshCmd);
    return command->Execute();
  }

  ScopedServiceHost host_;
  fs::path dir_;
  IPtr<FakeDocument> document_{new FakeDocument};
  IPtr<HostModelContainer> model_{new HostModelContainer};
  IPtr<RecordingGui> gui_{new RecordingGui};
  IPtr<HostSettingsStore> settings_{new HostSettingsStore};
};

TEST_F(WriteMeshExecute, FailsWithoutADialogWhenTheMeshIsMissing) {
  // Nothing offered yet: no document service.
  EXPECT_FALSE(execute());
  offerAll();
  gui_->setPresetSaveName((dir_ / "x.ikm").u16string());
  document_->model = nullptr;
  EXPECT_FALSE(execute()) << "no model";
  EXPECT_EQ(document_->seenArguments, std::make_pair(0, 0));
  document_->model = model_.get();
  EXPECT_FALSE(execute()) << "no GenModel item";
  model_->setItem("GenModel", new PlainObject);
  EXPECT_FALSE(execute()) << "object is no mesh";
  EXPECT_EQ(gui_->dialogs, 0);
  EXPECT_FALSE(fs::exists(dir_ / "x.ikm"));
}

TEST_F(WriteMeshExecute, FailsWithoutDialogOrSettingsService) {
  FakeMesh *mesh = useMesh(new FakeMesh(10, true));
  gui_->setPresetSaveName((dir_ / "x.ikm").u16string());
  host_.offer("IKorDoc", document_.get());
  host_.offer("IDataStore", settings_.get());
  EXPECT_FALSE(execute()) << "no dialog service";
  {
    ScopedServiceHost other;
    other.offer("IKorDoc", document_.get());
    other.offer("IGuiUtil", gui_.get());
    EXPECT_FALSE(execute()) << "no settings service";
  }
  EXPECT_EQ(mesh->calls, 0);
  EXPECT_FALSE(fs::exists(dir_ / "x.ikm"));
}

TEST_F(WriteMeshExecute, CancelledDialogWritesNothing) {
  FakeMesh *mesh = useMesh(new FakeMesh(10, true));
  offerAll();
  gui_->setPresetSaveName(u"");
  EXPECT_FALSE(execute());
  EXPECT_EQ(gui_->dialogs, 1);
  EXPECT_EQ(gui_->startName, u"");
  EXPECT_EQ(gui_->seenFlags, 0);
  EXPECT_EQ(gui_->seenDirectory, dir_.u16string());
  EXPECT_EQ(gui_->seenFilter, u"IKorMesh (*.ikm)");
  EXPECT_EQ(mesh->calls, 0);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(WriteMeshExecute, FilterPassesThroughTheTranslator) {
  auto *catalogue = new HostCatalogueTranslator;
  catalogue->loadText("IKorMesh (*.ikm) = IKorMesh-Netze (*.ikm)\n");
  host_.offer("IKorTranslatorService", new HostTranslatorService(catalogue));
  useMesh(new FakeMesh(10, true));
  offerAll();
  gui_->setPresetSaveName(u"");
  execute();
  EXPECT_EQ(gui_->seenFilter, u"IKorMesh-Netze (*.ikm)");
}

TEST_F(WriteMeshExecute, FailedWriteLeavesAnUnflushedFile) {
  FakeMesh *mesh = useMesh(new FakeMesh(100, false));
  offerAll();
  gui_->setPresetSaveName((dir_ / "failed.ikm").u16string());
  EXPECT_FALSE(execute());
  EXPECT_EQ(mesh->calls, 1);
  ASSERT_TRUE(fs::exists(dir_ / "failed.ikm"));
  // The stream closes without a flush: the buffered bytes never arrive.
  EXPECT_EQ(fs::file_size(dir_ / "failed.ikm"), 0u);
}

TEST_F(WriteMeshExecute, SuccessfulWriteIsFlushed) {
  useMesh(new FakeMesh(100, true));
  offerAll();
  gui_->setPresetSaveName((dir_ / "fake.ikm").u16string());
  EXPECT_TRUE(execute());
  EXPECT_EQ(fs::file_size(dir_ / "fake.ikm"), 100u);
}

TEST_F(WriteMeshExecute, HostMeshReadsBackFromTheSavedFile) {
  MeshData triangle{{0, 0, 0, 1, 0, 0, 0, 1, 0.5}, {0, 1, 2}};
  useMesh(new HostMesh(triangle));
  offerAll();
  fs::path saved = dir_ / "triangle.ikm";
  gui_->setPresetSaveName(saved.u16string());
  ASSERT_TRUE(execute());

  IPtr<KorFileRead> reader(new KorFileRead);
  ASSERT_TRUE(reader->open(saved.u16string().c_str()));
  ASSERT_TRUE(reader->good());
  uint32_t version = 0;
  ASSERT_TRUE(reader->beginObject(version));
  EXPECT_EQ(reader->objectGuid(), kHostMeshClassId);
  MeshData read;
  ASSERT_TRUE(readMeshPayload(*reader, read));
  EXPECT_EQ(read, triangle);
  EXPECT_TRUE(reader->atBlockEnd());
}
} // namespace
