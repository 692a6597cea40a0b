//===- progress.cpp - The progress service and its stack of nested ranges -===//
#include "KorBasicTypes/progress.h"
#include <mutex>

//===----------------------------------------------------------------------===//
// NyrProgressLayout
//===----------------------------------------------------------------------===//

NyrRef<NyrProgressLayout> NyrProgressLayout::create(float start, float end,
                                                    NyrProgress *owner) {
  auto layout = NyrRef<NyrProgressLayout>::adopt(
      new NyrProgressLayout(start, end));
  if (owner)
    layout->owner_ = IPtr<NyrProgress>(owner);
  return layout;
}

void NyrProgressLayout::dispose() {
  child_.reset();
  owner_.reset();
}

std::pair<float, float> NyrProgressLayout::currentRange() const {
  if (partCount_ == 0)
    return {start_, end_};
  return {boundaries_[currentPart_], boundaries_[currentPart_ + 1]};
}

void NyrProgressLayout::setParts(std::vector<float> boundaries) {
  partCount_ = static_cast<int32_t>(boundaries.size()) - 1;
  boundaries_ = std::move(boundaries);
  currentPart_ = 0;
}

void NyrProgressLayout::resetParts() { setParts({0.0f, 1.0f}); }

NyrProgress *NyrProgressLayout::root() {
  if (!owner_)
    if (NyrProgress *root = nyrProgressRoot())
      owner_ = IPtr<NyrProgress>(root);
  return owner_.get();
}

//===----------------------------------------------------------------------===//
// NyrProgress
//===----------------------------------------------------------------------===//

NyrProgress::~NyrProgress() {
  // Only an object that was never counted (one on the stack) can still have
  // layouts it owns; their releases must not reach zero and delete it again.
  for (uint32_t own = layoutsOwnedHere(); own > 0; --own)
    AddRef();
  emptyStack();
}

bool NyrProgress::Report(IKorProgress *, float) { return true; }

void NyrProgress::Reset() {
  flag_ = 0;
  emptyStack();
  push(NyrProgressLayout::create(0.0f, 1.0f, this));
}

KorWChar *NyrProgress::Text(KorWChar *out, uint32_t room) {
  static constexpr KorWChar kCaption[] = u"Progress";
  if (!out || room == 0)
    return out;
  uint32_t i = 0;
  for (; i + 1 < room && kCaption[i]; ++i)
    out[i] = kCaption[i];
  out[i] = 0;
  return out;
}

float NyrProgress::Map(float fraction) {
  if (stack_.empty())
    return fraction;
  const NyrProgressLayout *layout = stack_[stack_.count()];
  float start = layout->start();
  return start + (layout->end() - start) * fraction;
}

void NyrProgress::Release() {
  uint32_t own = layoutsOwnedHere();
  if (own != 0 && RefCount() == own + 1)
    emptyStack();
  KorShared::Release();
}

NyrRef<NyrProgressLayout> NyrProgress::top() const {
  if (stack_.empty())
    return {};
  return NyrRef<NyrProgressLayout>::share(stack_[stack_.count()]);
}

void NyrProgress::push(const NyrRef<NyrProgressLayout> &layout) {
  if (!layout)
    return;
  layout->addStrong();
  stack_.append(layout.get());
}

void NyrProgress::pop() {
  if (stack_.empty())
    return;
  NyrProgressLayout *layout = stack_[stack_.count()];
  stack_.removeLast();
  layout->releaseStrong();
}

void NyrProgress::emptyStack() {
  // Detach the layouts first: releasing one may release this progress,
  // which must then see an empty stack.
  std::vector<NyrProgressLayout *> layouts(stack_.begin(), stack_.end());
  stack_.clear();
  for (NyrProgressLayout *layout : layouts)
    layout->releaseStrong();
}

uint32_t NyrProgress::layoutsOwnedHere() const {
  uint32_t own = 0;
  for (NyrProgressLayout *layout : stack_)
    if (layout->owner() == this)
      ++own;
  return own;
}

//===----------------------------------------------------------------------===//
// NyrGlobalCallbackProgress
//===----------------------------------------------------------------------===//

bool NyrGlobalCallbackProgress::Report(IKorProgress *, float fraction) {
  if (!callback_)
    return true;
  return callback_(this, context_, fraction) != 0;
}

bool NyrGlobalCallbackProgress::RegisterCallback(NyrProgressCallback callback,
                                                 void *context) {
  callback_ = callback;
  context_ = context;
  return true;
}

//===----------------------------------------------------------------------===//
// The process-wide root
//===----------------------------------------------------------------------===//

NyrProgress *nyrProgressRoot() {
  static std::mutex lock;
  // Never destroyed: releasing at exit could reach a host already gone.
  static auto *root = new IPtr<NyrProgress>;
  std::lock_guard<std::mutex> guard(lock);
  if (!*root) {
    SPtr<IKorProgress> service;
    if (service)
      root->fromQuery(service.get());
  }
  return root->get();
}
