// Unit tests of progress reporting: nested ranges, dividers, callbacks.
#include "KorBasicTypes/progresscallback.h"
#include "KorBasicTypes/progressdividers.h"
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {
using Floats = std::vector<float>;

/// A progress root whose callback records the global fraction of every
/// report and answers `answer_`.
class ProgressTest : public ::testing::Test {
protected:
  ProgressTest() : root_(new NyrGlobalCallbackProgress) {
    root_->Reset();
    root_->RegisterCallback(&record, this);
  }
  static int record(IKorProgress *progress, void *self, float fraction) {
    auto *test = static_cast<ProgressTest *>(self);
    test->globals_.push_back(progress->Map(fraction));
    return test->answer_;
  }
  IKorProgress *progress() { return root_.get(); }

  IPtr<NyrGlobalCallbackProgress> root_;
  Floats globals_;
  int answer_ = 1;
};
} // namespace

TEST(NyrProgress, RootRangeTextAndFlag) {
  IPtr<NyrProgress> progress(new NyrProgress);
  EXPECT_FLOAT_EQ(progress->Map(0.3f), 0.3f) << "empty stack";
  progress->SetFlag(7);
  progress->Reset();
  KorWChar text[4];
  EXPECT_TRUE(progress->Flag() == 0 && progress->Map(0.3f) == 0.3f &&
              std::u16string(progress->Text(text, 4)) == u"Pro" &&
              progress->Report(progress.get(), 0.5f));
}

TEST(NyrProgress, DividersLayOutTheirParts) {
  double weights[] = {1.0, 3.0, 0.0}, none[] = {0.0};
  float floats[] = {1.0f, 3.0f, -1.0f, 5.0f};
  using Begin = std::function<bool(NyrProgress *)>;
  const std::pair<Begin, Floats> rows[] = {
      {[](auto *p) { return NyrProgressSplit(p).Begin(4); },
       {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}},
      {[&](auto *p) { return NyrProgressSubdivide(p).Begin(weights); },
       {0.0f, 0.25f, 1.0f}},
      {[&](auto *p) { return NyrProgressSubdivide(p).Begin(floats); },
       {0.0f, 0.25f, 1.0f}},
      {[&](auto *p) { return NyrProgressSubdivide(p).Begin(none); }, {0.0f}},
      {[](auto *p) { return NyrProgressBounds(p).Begin(20, 40, 100); },
       {0.2f, 0.4f}},
      {[](auto *p) { return NyrProgressBounds(p).Begin(0, 1, 0); }, {0.0f, 1.0f}},
  };
  for (const auto &[begin, boundaries] : rows) {
    IPtr<NyrProgress> root(new NyrProgress);
    root->Reset();
    auto layout = root->top();
    EXPECT_TRUE(begin(root.get()) && root->depth() == 2u)
        << "the layout of part 0 stays";
    EXPECT_EQ(layout->boundaries(), boundaries);
  }
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
  EXPECT_EQ(globals_, (Floats{0.25f, 0.5f, 0.75f, 1.0f, 1.0f}));
  EXPECT_TRUE(split.End() && split.IsIdle() && root_->depth() == 1);
  EXPECT_FALSE(split.End()) << "an idle divider";
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
  EXPECT_EQ(globals_.size(), 9u);
}

TEST_F(ProgressTest, CallbackAnswerStopsResetDetachesAttachTakesRoots) {
  NyrProgressSplit split(progress());
  split.Begin(3);
  answer_ = 0;
  EXPECT_FALSE(split.Step());
  EXPECT_EQ(split.layout()->currentPart(), 1) << "the step still happens";
  root_->RegisterCallback(nullptr, nullptr);
  EXPECT_TRUE(split.Step());
  EXPECT_EQ(globals_.size(), 1u);
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
  EXPECT_TRUE(copy.flag() && copy.progress() == object.progress());
}
