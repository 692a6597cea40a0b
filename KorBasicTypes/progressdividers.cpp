//===- progressdividers.cpp - Dividing a progress range into parts --------===//
#include "KorBasicTypes/progressdividers.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
/// Reports completion of a part through the layout's root.
bool reportDone(NyrProgressLayout &layout) {
  NyrProgress *root = layout.root();
  return root ? root->Report(root, 1.0f) : false;
}

/// Pushes the layout of `layout`'s current part and keeps it as its child.
void pushPart(NyrProgressLayout &layout) {
  NyrProgress *root = layout.root();
  if (!root)
    return;
  auto [start, end] = layout.currentRange();
  auto part = NyrProgressLayout::create(start, end, root);
  root->push(part);
  layout.child() = part;
}

/// Closes the current part: report 1.0, pop its layout, move on by one.
bool closePart(NyrProgressLayout &layout) {
  bool answer = reportDone(layout);
  if (NyrProgress *root = layout.root())
    root->pop();
  layout.child().reset();
  layout.advancePart();
  return answer;
}

template <class T> std::vector<double> weightList(const T *weights) {
  std::vector<double> list;
  for (const T *w = weights; w && *w > 0; ++w)
    list.push_back(static_cast<double>(*w));
  return list;
}
} // namespace

//===----------------------------------------------------------------------===//
// NyrProgressDivider
//===----------------------------------------------------------------------===//

NyrProgressDivider::NyrProgressDivider(IKorProgress *parent) {
  Attach(parent);
}

void NyrProgressDivider::Attach(IKorProgress *parent) {
  IPtr<NyrProgress> root;
  root.fromQuery(parent);
  if (root.get() != root_.get())
    root_ = std::move(root);
}

IKorProgress *NyrProgressDivider::Attached() { return root_.get(); }

NyrProgress *NyrProgressDivider::root() {
  if (!root_)
    if (NyrProgress *root = nyrProgressRoot())
      root_ = IPtr<NyrProgress>(root);
  return root_.get();
}

bool NyrProgressDivider::beginParts(const PartMaker &makeParts) {
  if (active_)
    return false;
  NyrProgress *progress = root();
  if (!progress)
    return false;
  NyrRef<NyrProgressLayout> layout = progress->top();
  if (!layout)
    return false;
  layout->setParts(makeParts(layout->start(), layout->end()));
  pushPart(*layout);
  layout_ = layout;
  active_ = true;
  return true;
}

std::vector<float>
NyrProgressDivider::weightedParts(float start, float end,
                                  const std::vector<double> &weights) {
  double total = 0.0;
  for (double w : weights)
    total += w;
  if (!(total > 0.0))
    total = 1.0;
  std::vector<float> bounds{start};
  double sum = 0.0;
  for (double w : weights) {
    sum += w;
    bounds.push_back(static_cast<float>(start + (end - start) * sum / total));
  }
  return bounds;
}

bool NyrProgressDivider::Step() {
  NyrRef<NyrProgressLayout> layout = layout_.lock();
  if (!layout)
    return false;
  if (layout->currentPart() + 1 >= layout->partCount())
    return reportDone(*layout);
  bool answer = closePart(*layout);
  pushPart(*layout);
  return answer;
}

bool NyrProgressDivider::End() {
  if (!active_)
    return false;
  bool answer = false;
  if (NyrRef<NyrProgressLayout> layout = layout_.lock()) {
    if (NyrRef<NyrProgressLayout> child = layout->child().lock())
      closePart(*layout);
    answer = reportDone(*layout);
    layout->resetParts();
  }
  layout_.reset();
  active_ = false;
  return answer;
}

//===----------------------------------------------------------------------===//
// The four dividers
//===----------------------------------------------------------------------===//

bool NyrProgressSplit::Begin(int32_t parts) {
  int32_t count = std::max(parts, 0);
  return beginParts([count](float start, float end) {
    std::vector<float> bounds{start};
    for (int64_t i = 1; i <= count; ++i)
      bounds.push_back(start + (end - start) * static_cast<float>(i) /
                                   static_cast<float>(count));
    return bounds;
  });
}

bool NyrProgressSubdivide::Begin(const double *weights) {
  std::vector<double> list = weightList(weights);
  return beginParts([&list](float start, float end) {
    return weightedParts(start, end, list);
  });
}

bool NyrProgressSubdivide::Begin(const float *weights) {
  std::vector<double> list = weightList(weights);
  return beginParts([&list](float start, float end) {
    return weightedParts(start, end, list);
  });
}

bool NyrProgressBounds::Begin(int32_t low, int32_t high, int32_t divisor) {
  double d = std::max(divisor, 1);
  return Begin(low / d, high / d);
}

bool NyrProgressBounds::Begin(double low, double high) {
  return beginParts([low, high](float start, float end) {
    double range = static_cast<double>(end) - start;
    return std::vector<float>{static_cast<float>(start + range * low),
                              static_cast<float>(start + range * high)};
  });
}

bool NyrProgressInfinite::Begin(int32_t steps) {
  // The part count, 4 * k, is a 32-bit integer; that alone bounds k.
  int32_t k = std::clamp(steps, 2, std::numeric_limits<int32_t>::max() / 4);
  std::vector<double> weights;
  for (int32_t i = 0; i < 4 * k; ++i)
    weights.push_back(std::exp(-static_cast<double>(i) / k));
  if (!beginParts([&weights](float start, float end) {
        return weightedParts(start, end, weights);
      }))
    return false;
  steps_ = k;
  partCount_ = 4 * k;
  counter_ = 0;
  return true;
}

bool NyrProgressInfinite::Step() {
  if (counter_ > partCount_)
    return true;
  ++counter_;
  return NyrProgressDivider::Step();
}
