//===- progress.h - The progress service and its stack of nested ranges ---===//
//
// NyrProgress implements IKorProgress: it keeps a stack of layouts, each one
// a range of the global fraction divided into parts. A divider (see
// progressdividers.h) divides the top layout and pushes a layout for its
// current part, which becomes the range of whatever runs inside that part.
// NyrGlobalCallbackProgress forwards every report to a registered callback.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikorprogress.h"
#include "component/iptr.h"
#include "KorBasicTypes/korarray.h"
#include "KorBasicTypes/nyrshared.h"
#include <vector>

class NyrProgress;

/// One nested range: its global [start, end] split at part boundaries.
class NyrProgressLayout : public NyrCounted {
public:
  /// A new layout: range [start, end], one part, boundaries {0, 1}.
  static NyrRef<NyrProgressLayout> create(float start, float end,
                                          NyrProgress *owner);

  float start() const { return start_; }
  float end() const { return end_; }
  int32_t currentPart() const { return currentPart_; }
  int32_t partCount() const { return partCount_; }
  /// Part boundaries in global terms, part count + 1 of them.
  const std::vector<float> &boundaries() const { return boundaries_; }
  /// The global range of the current part ([start, end] without parts).
  std::pair<float, float> currentRange() const;

  /// Replaces the parts; `boundaries` holds part count + 1 values.
  void setParts(std::vector<float> boundaries);
  /// Back to one part 0 with boundaries {0, 1}.
  void resetParts();
  void advancePart() { ++currentPart_; }

  /// The root this layout reports to; a layout without one is given the
  /// process-wide root (which may be missing: null).
  NyrProgress *root();
  /// The root this layout already reports to, or null.
  NyrProgress *owner() const { return owner_.get(); }
  NyrWeak<NyrProgressLayout> &child() { return child_; }

private:
  NyrProgressLayout(float start, float end) : start_(start), end_(end) {}
  void dispose() override;

  IPtr<NyrProgress> owner_;
  NyrWeak<NyrProgressLayout> child_;
  float start_;
  float end_;
  std::vector<float> boundaries_{0.0f, 1.0f};
  int32_t currentPart_ = 0;
  int32_t partCount_ = 1;
};

/// The progress service: a flag byte and the stack of layouts.
class NyrProgress : public IKorProgress {
public:
  KOR_CLASS(NyrProgress, IKorProgress)
  NyrProgress() = default;
  ~NyrProgress() override;

  bool Report(IKorProgress *source, float fraction) override;
  void Reset() override;
  KorWChar *Text(KorWChar *out, uint32_t room) override;
  float Map(float fraction) override;
  uint8_t Flag() override { return flag_; }
  void SetFlag(uint8_t flag) override { flag_ = flag; }

  /// Releases as usual, but first empties the stack when nothing but this
  /// progress's own layouts still holds it: layouts own their root, so the
  /// stack would otherwise keep the object alive for ever.
  void Release() override;

  /// The top layout, or an empty reference with an empty stack.
  NyrRef<NyrProgressLayout> top() const;
  /// Pushes a layout (the stack keeps one strong reference).
  void push(const NyrRef<NyrProgressLayout> &layout);
  /// Drops the top layout, if any.
  void pop();
  /// Number of layouts on the stack.
  uint32_t depth() const { return stack_.count(); }

private:
  void emptyStack();
  uint32_t layoutsOwnedHere() const;

  uint8_t flag_ = 0;
  KorArray<NyrProgressLayout *> stack_;
};

/// The function a NyrGlobalCallbackProgress forwards reports to; non-zero
/// to go on.
using NyrProgressCallback = int (*)(IKorProgress *progress, void *context,
                                    float fraction);

/// A progress service that forwards every report to one callback.
class NyrGlobalCallbackProgress : public NyrProgress {
public:
  KOR_CLASS_DERIVED(NyrGlobalCallbackProgress, NyrProgress)

  /// Without a callback: true. Otherwise the callback's answer as a bool.
  bool Report(IKorProgress *source, float fraction) override;
  /// Stores the callback and its context (null removes it); returns true.
  bool RegisterCallback(NyrProgressCallback callback, void *context);
  NyrProgressCallback callback() const { return callback_; }
  void *context() const { return context_; }

private:
  NyrProgressCallback callback_ = nullptr;
  void *context_ = nullptr;
};

/// The process-wide root: the host's "IKorProgress" service, asked for
/// "NyrProgress". Kept for the process once found; null while the host
/// offers none.
NyrProgress *nyrProgressRoot();
