// Unit tests of progress reporting: nested ranges, dividers, callbacks.
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "KorBasicTypes/progresscallback.h"
#include "KorBasicTypes/progressdividers.h"
#include "tests/unit/support/slotcheck.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {
using Floats = std::vector<float>;

/// Records every report as (local fraction, global fraction).
struct Recorder {
  std::vector<std::pair<float, float>> reports;
  int answer = 1;

  static int callback(IKorProgress *progress, void *context, float fraction) {
    auto *self = static_cast<Recorder *>(context);
    self->reports.emplace_back(fraction, progress->Map(fraction));
    return self->answer;
  }
};

class ProgressTest : public ::testing::Test {
protected:
  ProgressTest() : root_(new NyrGlobalCallbackProgress) {
    root_->Reset();
    root_->RegisterCallback(&Recorder::callback, &recorder_);
  }
  IKorProgress *progress() { return root_.get(); }
  Floats topBoundaries() { return root_->top()->boundaries(); }

  IPtr<NyrGlobalCallbackProgress> root_;
  Recorder recorder_;
};

/// A progress service of another make: not a NyrProgress.
class ForeignProgress : public IKorProgress {
public:
  KOR_CLASS(ForeignProgress, IKorProgress)
  bool Report(IKorProgress *, float) override { return true; }
  void Reset() override {}
  KorWChar *Text(KorWChar *out, uint32_t) override { return out; }
  float Map(float fraction) override { return fraction; }
  uint8_t Flag() override { return 0; }
  void SetFlag(uint8_t) override {}
};

int gDestroyed = 0;
class CountedProgress : public NyrProgress {
public:
  ~CountedProgress() override { ++gDestroyed; }
};
} // namespace

TEST(InterfaceSlots, ProgressContracts) {
  EXPECT_SLOT(&IKorProgress::Report, 0);
  EXPECT_SLOT(&IKorProgress::Reset, 2);
  EXPECT_SLOT(&IKorProgress::Text, 9);
  EXPECT_SLOT(&IKorProgress::Map, 12);
  EXPECT_SLOT(&IKorProgress::SetFlag, 14);
  EXPECT_SLOT(&IKorProgressSplitBase::End, 3);
  EXPECT_SLOT(&IKorProgressAttach::Attached, 1);
  EXPECT_SLOT(&IKorProgressSplit::Begin, 0);
  EXPECT_SLOT(static_cast<bool (IKorProgressSubdivide::*)(const float *)>(
                  &IKorProgressSubdivide::Begin),
              1);
  EXPECT_SLOT(static_cast<bool (IKorProgressBounds::*)(double, double)>(
                  &IKorProgressBounds::Begin),
              1);
  EXPECT_SLOT(&IKorProgressInfinite::Begin, 0);
}

TEST(NyrProgress, MapsThroughTheTopRangeAndAnswersItsNames) {
  IPtr<NyrProgress> progress(new NyrProgress);
  EXPECT_FLOAT_EQ(progress->Map(0.3f), 0.3f) << "empty stack";
  progress->SetFlag(7);
  progress->Reset();
  EXPECT_EQ(progress->Flag(), 0);
  EXPECT_EQ(progress->depth(), 1u);
  EXPECT_FLOAT_EQ(progress->Map(0.3f), 0.3f);
  EXPECT_TRUE(progress->Report(progress.get(), 0.5f));
  EXPECT_FALSE(progress->Reserved1());
  KorWChar text[4];
  EXPECT_EQ(progress->Text(text, 4), text);
  EXPECT_EQ(std::u16string(text), u"Pro");

  IPtr<NyrGlobalCallbackProgress> global(new NyrGlobalCallbackProgress);
  for (const char *name : {"NyrGlobalCallbackProgress", "NyrProgress",
                           "IKorProgress", "IKorUnknown"}) {
    void *result = nullptr;
    global->QueryInterface(name, &result);
    EXPECT_NE(result, nullptr) << name;
  }
}

TEST(NyrProgress, LastOutsideReferenceDestroysAProgressWithLayouts) {
  gDestroyed = 0;
  {
    IPtr<NyrProgress> progress(new CountedProgress);
    progress->Reset();
    NyrProgressSplit split(progress.get());
    split.Begin(2);
    EXPECT_EQ(progress->depth(), 2u);
  }
  EXPECT_EQ(gDestroyed, 1);
}

TEST(NyrProgress, AnUncountedProgressMayOwnItsRootLayout) {
  gDestroyed = 0;
  {
    CountedProgress progress;
    progress.Reset();
    EXPECT_EQ(progress.RefCount(), 1u) << "held by its root layout";
  }
  EXPECT_EQ(gDestroyed, 1);
}

TEST(NyrShared, WeakReferenceLocksOnlyWhileStronglyHeld) {
  auto layout = NyrProgressLayout::create(0.0f, 1.0f, nullptr);
  NyrWeak<NyrProgressLayout> weak(layout);
  EXPECT_TRUE(weak.lock());
  EXPECT_EQ(layout->strongCount(), 1u);
  layout.reset();
  EXPECT_FALSE(weak.lock());
}

TEST_F(ProgressTest, SplitStepsThroughEqualParts) {
  NyrProgressSplit split(progress());
  ASSERT_TRUE(split.Begin(4));
  EXPECT_FLOAT_EQ(root_->top()->end(), 0.25f) << "the layout of part 0";
  EXPECT_EQ(split.layout()->boundaries(),
            (Floats{0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_TRUE(split.Step());
  EXPECT_TRUE(split.Step());
  EXPECT_FLOAT_EQ(progress()->Map(0.5f), 0.625f);
  EXPECT_EQ(root_->depth(), 2u);
  EXPECT_TRUE(split.Step());
  EXPECT_TRUE(split.Step()) << "past the last part";
  EXPECT_TRUE(split.Step());
  EXPECT_EQ(root_->depth(), 2u) << "stepping past the end does not pop";
  EXPECT_EQ(split.layout()->currentPart(), 3);
  ASSERT_EQ(recorder_.reports.size(), 5u);
  for (auto [local, global] : recorder_.reports)
    EXPECT_FLOAT_EQ(local, 1.0f);
  EXPECT_FLOAT_EQ(recorder_.reports[0].second, 0.25f);
  EXPECT_FLOAT_EQ(recorder_.reports[4].second, 1.0f);

  EXPECT_TRUE(split.End());
  EXPECT_TRUE(split.IsIdle());
  EXPECT_EQ(root_->depth(), 1u);
  EXPECT_EQ(topBoundaries(), (Floats{0.0f, 1.0f}));
  EXPECT_EQ(root_->top()->partCount(), 1);
  EXPECT_FALSE(split.End()) << "an idle divider";
}

TEST_F(ProgressTest, SecondBeginOnAnActiveDividerChangesNothing) {
  NyrProgressSplit split(progress());
  ASSERT_TRUE(split.Begin(2));
  EXPECT_FALSE(split.Begin(5));
  EXPECT_EQ(split.layout()->partCount(), 2);
  EXPECT_EQ(root_->depth(), 2u);
  NyrProgressInfinite infinite(progress());
  ASSERT_TRUE(infinite.Begin(3));
  EXPECT_FALSE(infinite.Begin(1));
  EXPECT_EQ(infinite.layout()->partCount(), 12);
}

TEST_F(ProgressTest, NestedDividersMapIntoTheirPart) {
  NyrProgressSplit outer(progress());
  ASSERT_TRUE(outer.Begin(2));
  outer.Step(); // second half: 0.5 to 1.0
  NyrProgressBounds bounds(progress());
  ASSERT_TRUE(bounds.Begin(0.2, 0.4));
  EXPECT_EQ(bounds.layout()->boundaries(), (Floats{0.6f, 0.7f}));
  EXPECT_FLOAT_EQ(progress()->Map(0.5f), 0.65f);
  EXPECT_EQ(root_->depth(), 3u);

  NyrProgressSubdivide inner(progress());
  double weights[] = {1.0, 3.0, 0.0};
  ASSERT_TRUE(inner.Begin(weights));
  EXPECT_EQ(inner.layout()->boundaries(), (Floats{0.6f, 0.625f, 0.7f}));
  recorder_.reports.clear();
  EXPECT_TRUE(inner.End());
  EXPECT_TRUE(bounds.End());
  EXPECT_EQ(root_->depth(), 2u);
  // Each end closes its open part (1.0 of it) and reports its own range done.
  std::vector<float> globals;
  for (auto [local, global] : recorder_.reports)
    globals.push_back(global);
  EXPECT_EQ(globals, (Floats{0.625f, 0.7f, 0.7f, 1.0f}));
}

TEST_F(ProgressTest, SubdivideWeightsAndTheirEdges) {
  NyrProgressSubdivide floats(progress());
  float weights[] = {1.0f, 3.0f, -1.0f, 5.0f};
  ASSERT_TRUE(floats.Begin(weights));
  EXPECT_EQ(floats.layout()->boundaries(), (Floats{0.0f, 0.25f, 1.0f}));
  floats.End();

  NyrProgressSubdivide empty(progress());
  double none[] = {0.0};
  ASSERT_TRUE(empty.Begin(none));
  EXPECT_EQ(empty.layout()->partCount(), 0);
  EXPECT_FLOAT_EQ(progress()->Map(0.5f), 0.5f) << "the whole range";
  EXPECT_TRUE(empty.Step());
  EXPECT_EQ(root_->depth(), 2u);
}

TEST_F(ProgressTest, BoundsFromIntegersUseADivisorOfAtLeastOne) {
  NyrProgressBounds percent(progress());
  ASSERT_TRUE(percent.Begin(20, 40, 100));
  EXPECT_EQ(percent.layout()->boundaries(), (Floats{0.2f, 0.4f}));
  percent.End();
  NyrProgressBounds whole(progress());
  ASSERT_TRUE(whole.Begin(0, 1, 0));
  EXPECT_EQ(whole.layout()->boundaries(), (Floats{0.0f, 1.0f}));
}

TEST_F(ProgressTest, InfinitePartsShrinkGeometrically) {
  NyrProgressInfinite infinite(progress());
  ASSERT_TRUE(infinite.Begin(1));
  const Floats &b = infinite.layout()->boundaries();
  ASSERT_EQ(b.size(), 9u);
  for (size_t i = 2; i < b.size(); ++i)
    EXPECT_NEAR((b[i] - b[i - 1]) / (b[i - 1] - b[i - 2]), std::exp(-0.5),
                1e-4);
  EXPECT_FLOAT_EQ(b[8], 1.0f);
  // Eight parts: seven steps move on, the eighth and ninth report the end,
  // later ones are ignored without a report.
  for (int i = 0; i < 12; ++i)
    EXPECT_TRUE(infinite.Step());
  EXPECT_EQ(recorder_.reports.size(), 9u);
  EXPECT_EQ(infinite.layout()->currentPart(), 7);

  NyrProgressInfinite many(progress());
  ASSERT_TRUE(many.Begin(100000));
  EXPECT_EQ(many.layout()->partCount(), 400000);
}

TEST_F(ProgressTest, CallbackAnswerStopsAndRemovalSilences) {
  NyrProgressSplit split(progress());
  split.Begin(3);
  recorder_.answer = 0;
  EXPECT_FALSE(split.Step());
  EXPECT_EQ(split.layout()->currentPart(), 1) << "the step still happens";
  root_->RegisterCallback(nullptr, nullptr);
  EXPECT_TRUE(split.Step());
  EXPECT_EQ(recorder_.reports.size(), 1u);
  EXPECT_EQ(root_->callback(), nullptr);
}

TEST_F(ProgressTest, ResetDetachesActiveDividers) {
  NyrProgressSplit split(progress());
  split.Begin(3);
  root_->Reset();
  EXPECT_EQ(root_->depth(), 1u);
  EXPECT_FALSE(split.Step());
  EXPECT_TRUE(split.IsActive());
  EXPECT_FALSE(split.End());
  EXPECT_TRUE(split.IsIdle());
  EXPECT_TRUE(recorder_.reports.empty());
}

TEST_F(ProgressTest, AttachTakesOnlyProgressRoots) {
  NyrProgressSplit split;
  split.Attach(progress());
  EXPECT_EQ(split.Attached(), progress());
  EXPECT_EQ(root_->RefCount(), 3u) << "test, root layout, divider";
  ForeignProgress other;
  split.Attach(&other);
  EXPECT_EQ(split.Attached(), nullptr);
  EXPECT_EQ(root_->RefCount(), 2u);
}

TEST(ProgressService, HostAnswersWithACallbackProgress) {
  IKorUnknown *service = nullptr;
  for (const HostServiceEntry &entry : hostServiceTable())
    if (entry.name == "IKorProgress")
      service = entry.make(HostOptions{});
  ASSERT_NE(service, nullptr);
  IPtr<NyrGlobalCallbackProgress> global;
  global.fromQuery(service);
  ASSERT_TRUE(global);
  EXPECT_EQ(global->depth(), 1u) << "ready for dividers";
  Recorder recorder;
  global->RegisterCallback(&Recorder::callback, &recorder);
  NyrProgressSplit split(global.get());
  split.Begin(2);
  split.Step();
  ASSERT_EQ(recorder.reports.size(), 1u);
  EXPECT_FLOAT_EQ(recorder.reports[0].second, 0.5f);
}

TEST(ProgressCallbackBase, PercentIsClampedAndCopiesStartSwitchedOff) {
  ProgressCallbackObject object;
  int32_t current, maximum, extra;
  object.setPercent(150, -1);
  object.raw(current, maximum, extra);
  EXPECT_EQ(current, 1000);
  EXPECT_EQ(maximum, 1000);
  object.setPercent(30, 20);
  object.raw(current, maximum, extra);
  EXPECT_EQ(current, 200);
  EXPECT_EQ(maximum, 200);
  object.setPercent(-5, -5);
  object.percent(current, maximum);
  EXPECT_EQ(current, 20);
  EXPECT_EQ(maximum, 20);

  EXPECT_EQ(object.flags(), 2);
  object.setFlag(true);
  EXPECT_EQ(object.flags(), 3);
  ProgressCallbackObject copy(object);
  copy.setPercent(50, 60);
  copy.percent(current, maximum);
  EXPECT_EQ(current, 0) << "reporting is off in a copy";
  copy.raw(current, maximum, extra);
  EXPECT_EQ(current, -1);
  EXPECT_EQ(maximum, 1000);
  EXPECT_TRUE(copy.flag());
  EXPECT_EQ(copy.progress(), object.progress());
}
