// Unit tests of progress reporting: nested ranges, dividers, callbacks.
#include "KorBasicTypes/progresscallback.h"
#include "KorBasicTypes/progressdividers.h"
#include "tests/unit/support/slotcheck.h"
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {
using Floats = std::vector<float>;

/// Records the global fraction of every report.
struct Recorder {
  Floats globals;
  int answer = 1;
  static int callback(IKorProgress *progress, void *context, float fraction) {
    auto *self = static_cast<Recorder *>(context);
    self->globals.push_back(progress->Map(fraction));
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

  IPtr<NyrGlobalCallbackProgress> root_;
  Recorder recorder_;
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

TEST(NyrProgress, RootRangeAndText) {
  IPtr<NyrProgress> progress(new NyrProgress);
  EXPECT_FLOAT_EQ(progress->Map(0.3f), 0.3f) << "empty stack";
  progress->SetFlag(7);
  progress->Reset();
  EXPECT_EQ(progress->Flag(), 0);
  EXPECT_FLOAT_EQ(progress->Map(0.3f), 0.3f);
  KorWChar text[4];
  EXPECT_EQ(std::u16string(progress->Text(text, 4)), u"Pro");
  EXPECT_TRUE(progress->Report(progress.get(), 0.5f));
}

TEST(NyrProgress, DividersLayOutTheirParts) {
  auto parts = [](const std::function<bool(IKorProgress *)> &begin) {
    IPtr<NyrProgress> root(new NyrProgress);
    root->Reset();
    auto layout = root->top();
    EXPECT_TRUE(begin(root.get()));
    EXPECT_EQ(root->depth(), 2u) << "the layout of part 0 stays";
    return layout->boundaries();
  };
  double weights[] = {1.0, 3.0, 0.0}, none[] = {0.0};
  float floats[] = {1.0f, 3.0f, -1.0f, 5.0f};
  EXPECT_EQ(parts([](auto *p) { return NyrProgressSplit(p).Begin(4); }),
            (Floats{0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_EQ(parts([&](auto *p) { return NyrProgressSubdivide(p).Begin(weights); }),
            (Floats{0.0f, 0.25f, 1.0f}));
  EXPECT_EQ(parts([&](auto *p) { return NyrProgressSubdivide(p).Begin(floats); }),
            (Floats{0.0f, 0.25f, 1.0f}));
  EXPECT_EQ(parts([&](auto *p) { return NyrProgressSubdivide(p).Begin(none); }),
            (Floats{0.0f}));
  EXPECT_EQ(parts([](auto *p) { return NyrProgressBounds(p).Begin(20, 40, 100); }),
            (Floats{0.2f, 0.4f}));
  EXPECT_EQ(parts([](auto *p) { return NyrProgressBounds(p).Begin(0, 1, 0); }),
            (Floats{0.0f, 1.0f}));
}

TEST_F(ProgressTest, SplitStepsThroughEqualParts) {
  NyrProgressSplit split(progress());
  ASSERT_TRUE(split.Begin(4));
  EXPECT_FALSE(split.Begin(5)) << "an active divider";
  split.Step();
  split.Step();
  EXPECT_FLOAT_EQ(progress()->Map(0.5f), 0.625f);
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(split.Step()) << "also past the last part";
  EXPECT_EQ(recorder_.globals, (Floats{0.25f, 0.5f, 0.75f, 1.0f, 1.0f}));
  EXPECT_TRUE(split.End() && split.IsIdle() && root_->depth() == 1);
  EXPECT_FALSE(split.End()) << "an idle divider";
}

TEST_F(ProgressTest, NestedDividersMapIntoTheirPart) {
  NyrProgressSplit outer(progress());
  ASSERT_TRUE(outer.Begin(2));
  outer.Step(); // second half: 0.5 to 1.0
  NyrProgressBounds bounds(progress());
  ASSERT_TRUE(bounds.Begin(0.2, 0.4));
  EXPECT_FLOAT_EQ(progress()->Map(0.5f), 0.65f);
  NyrProgressSubdivide inner(progress());
  double weights[] = {1.0, 3.0, 0.0};
  ASSERT_TRUE(inner.Begin(weights));
  EXPECT_EQ(inner.layout()->boundaries(), (Floats{0.6f, 0.625f, 0.7f}));
  recorder_.globals.clear();
  EXPECT_TRUE(inner.End() && bounds.End());
  EXPECT_EQ(root_->depth(), 2u);
  // Each end closes its open part (1.0 of it) and reports its own range done.
  EXPECT_EQ(recorder_.globals, (Floats{0.625f, 0.7f, 0.7f, 1.0f}));
}

TEST_F(ProgressTest, InfinitePartsShrinkGeometrically) {
  NyrProgressInfinite infinite(progress());
  ASSERT_TRUE(infinite.Begin(1));
  EXPECT_FALSE(infinite.Begin(1)) << "an active divider";
  const Floats &b = infinite.layout()->boundaries();
  ASSERT_EQ(b.size(), 9u);
  for (size_t i = 2; i < b.size(); ++i)
    EXPECT_NEAR((b[i] - b[i - 1]) / (b[i - 1] - b[i - 2]), std::exp(-0.5),
                1e-4);
  // Eight parts: seven steps move on, the eighth and ninth report the end,
  // later ones are ignored without a report.
  for (int i = 0; i < 12; ++i)
    EXPECT_TRUE(infinite.Step());
  EXPECT_EQ(recorder_.globals.size(), 9u);
}

TEST_F(ProgressTest, CallbackAnswerStopsResetDetachesAttachTakesRoots) {
  NyrProgressSplit split(progress());
  split.Begin(3);
  recorder_.answer = 0;
  EXPECT_FALSE(split.Step());
  EXPECT_EQ(split.layout()->currentPart(), 1) << "the step still happens";
  root_->RegisterCallback(nullptr, nullptr);
  EXPECT_TRUE(split.Step());
  EXPECT_EQ(recorder_.globals.size(), 1u);
  root_->Reset();
  EXPECT_TRUE(split.IsActive());
  EXPECT_FALSE(split.Step() || split.End()) << "detached";

  NyrProgressSplit attached;
  attached.Attach(progress());
  EXPECT_EQ(attached.Attached(), progress());
  attached.Attach(nullptr); // no progress root: let go
  EXPECT_EQ(attached.Attached(), nullptr);
}

TEST(ProgressCallbackBase, PercentIsClampedAndCopiesStartSwitchedOff) {
  auto raw = [](const ProgressCallbackBase &o) {
    int32_t current, maximum, extra;
    o.raw(current, maximum, extra);
    return std::vector<int32_t>{current, maximum};
  };
  ProgressCallbackObject object;
  object.setPercent(150, -1);
  EXPECT_EQ(raw(object), (std::vector<int32_t>{1000, 1000}));
  object.setPercent(30, 20);
  EXPECT_EQ(raw(object), (std::vector<int32_t>{200, 200}));
  int32_t current, maximum;
  object.percent(current, maximum);
  EXPECT_EQ(current + maximum, 40);
  object.setFlag(true);
  EXPECT_EQ(object.flags(), 3);
  ProgressCallbackObject copy(object);
  copy.setPercent(50, 60);
  copy.percent(current, maximum);
  EXPECT_EQ(current + maximum, 0) << "reporting is off in a copy";
  EXPECT_EQ(raw(copy), (std::vector<int32_t>{-1, 1000}));
  EXPECT_TRUE(copy.flag());
  EXPECT_EQ(copy.progress(), object.progress());
}
