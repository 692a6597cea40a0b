//===- progresscallback.cpp - Per-mille progress held by an object --------===//
#include "KorBasicTypes/progresscallback.h"
#include "component/iptr.h"
#include <algorithm>

static constexpr int32_t kFullScale = 1000;

ProgressCallbackBase::ProgressCallbackBase() {
  SPtr<IKorProgress> service;
  progress_ = service.get();
}

ProgressCallbackBase::ProgressCallbackBase(const ProgressCallbackBase &other)
    : current_(-1), flags_(other.flags_), progress_(other.progress_) {}

ProgressCallbackBase &
ProgressCallbackBase::operator=(const ProgressCallbackBase &other) {
  if (this != &other) {
    current_ = -1;
    maximum_ = kFullScale;
    extra_ = 0;
    flags_ = other.flags_;
    progress_ = other.progress_;
  }
  return *this;
}

void ProgressCallbackBase::setPercent(int32_t current, int32_t maximum) {
  if (current_ < 0)
    return;
  if (current >= 0)
    current_ = std::min(current, kFullScale) * 10;
  if (maximum >= 0)
    maximum_ = std::min(maximum, kFullScale) * 10;
  maximum_ = std::min(maximum_, kFullScale);
  current_ = std::min(current_, maximum_);
}

void ProgressCallbackBase::percent(int32_t &current, int32_t &maximum) const {
  if (current_ < 0) {
    current = maximum = 0;
    return;
  }
  current = current_ / 10;
  maximum = maximum_ / 10;
}

void ProgressCallbackBase::raw(int32_t &current, int32_t &maximum,
                               int32_t &extra) const {
  current = current_;
  maximum = maximum_;
  extra = extra_;
}
