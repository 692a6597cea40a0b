//===- progressdividers.h - Dividing a progress range into parts ----------===//
//
// A divider takes the top layout of its root's stack, divides it into parts
// (equal, weighted, one explicit sub-range, or an open-ended decaying
// series), pushes a layout for the current part and steps through the
// parts. It holds the divided layout only weakly: a reset of the root
// silently detaches it.
//
//   NyrProgressSplit split(progress);
//   split.Begin(int32_t(items.size()));
//   for (auto &item : items) { work(item); split.Step(); }
//   split.End();
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/progress.h"
#include <functional>

/// What every divider offers: state, step and end.
class IKorProgressSplitBase : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgressSplitBase)
  /// 0: not begun (or ended).
  virtual bool IsIdle() = 0;
  /// 1: begun and not ended.
  virtual bool IsActive() = 0;
  /// 2: closes the current part and opens the next; false when the
  /// divider is detached or a report asked to stop.
  virtual bool Step() = 0;
  /// 3: closes the divided range; false when idle or detached.
  virtual bool End() = 0;
};

/// Ties a divider to the progress it divides.
class IKorProgressAttach : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgressAttach)
  /// 0: attaches to `parent` (asked for "NyrProgress"); null detaches.
  virtual void Attach(IKorProgress *parent) = 0;
  /// 1: the attached progress, or null.
  virtual IKorProgress *Attached() = 0;
};

/// Equal parts.
class IKorProgressSplit : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgressSplit)
  /// 0: divides the top range into `parts` equal parts.
  virtual bool Begin(int32_t parts) = 0;
};

/// Weighted parts; each weight list ends with a value of 0 or less.
class IKorProgressSubdivide : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgressSubdivide)
  /// 0: parts weighted by doubles.
  virtual bool Begin(const double *weights) = 0;
  /// 1: parts weighted by floats.
  virtual bool Begin(const float *weights) = 0;
};

/// One explicit sub-range.
class IKorProgressBounds : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgressBounds)
  /// 0: the sub-range low / divisor to high / divisor (divisor at least 1).
  virtual bool Begin(int32_t low, int32_t high, int32_t divisor) = 0;
  /// 1: the sub-range low to high, as fractions of the top range.
  virtual bool Begin(double low, double high) = 0;
};

/// An open-ended series of parts that shrink geometrically.
class IKorProgressInfinite : public virtual IKorUnknown {
  KOR_INTERFACE(IKorProgressInfinite)
  /// 0: 4 * steps parts (steps at least 2) weighted exp(-i / steps).
  virtual bool Begin(int32_t steps) = 0;
};

/// The state and stepping shared by every divider.
class NyrProgressDivider : public IKorProgressSplitBase,
                           public IKorProgressAttach {
public:
  bool IsIdle() override { return !active_; }
  bool IsActive() override { return active_; }
  bool Step() override;
  bool End() override;
  void Attach(IKorProgress *parent) override;
  IKorProgress *Attached() override;

  /// The divided layout; empty while idle or once detached.
  NyrRef<NyrProgressLayout> layout() const { return layout_.lock(); }

protected:
  explicit NyrProgressDivider(IKorProgress *parent);
  /// Boundaries (part count + 1, global) for a layout's [start, end].
  using PartMaker = std::function<std::vector<float>(float start, float end)>;
  /// Divides the root's top layout with `makeParts` and opens part 0.
  bool beginParts(const PartMaker &makeParts);
  /// Boundaries of weighted parts over [start, end].
  static std::vector<float> weightedParts(float start, float end,
                                          const std::vector<double> &weights);

private:
  NyrProgress *root();

  IPtr<NyrProgress> root_;
  NyrWeak<NyrProgressLayout> layout_;
  bool active_ = false;
};

/// Divides a range into equal parts.
class NyrProgressSplit : public NyrProgressDivider, public IKorProgressSplit {
public:
  KOR_CLASS(NyrProgressSplit, IKorProgressSplitBase, IKorProgressAttach,
            IKorProgressSplit)
  explicit NyrProgressSplit(IKorProgress *parent = nullptr)
      : NyrProgressDivider(parent) {}
  bool Begin(int32_t parts) override;
};

/// Divides a range into weighted parts.
class NyrProgressSubdivide : public NyrProgressDivider,
                             public IKorProgressSubdivide {
public:
  KOR_CLASS(NyrProgressSubdivide, IKorProgressSplitBase, IKorProgressAttach,
            IKorProgressSubdivide)
  explicit NyrProgressSubdivide(IKorProgress *parent = nullptr)
      : NyrProgressDivider(parent) {}
  bool Begin(const double *weights) override;
  bool Begin(const float *weights) override;
};

/// Narrows a range to one explicit sub-range.
class NyrProgressBounds : public NyrProgressDivider, public IKorProgressBounds {
public:
  KOR_CLASS(NyrProgressBounds, IKorProgressSplitBase, IKorProgressAttach,
            IKorProgressBounds)
  explicit NyrProgressBounds(IKorProgress *parent = nullptr)
      : NyrProgressDivider(parent) {}
  bool Begin(int32_t low, int32_t high, int32_t divisor) override;
  bool Begin(double low, double high) override;
};

/// Divides a range of unknown length into parts that shrink by
/// exp(-1 / steps) from one to the next; steps beyond the last part (and
/// one more) are accepted and ignored.
class NyrProgressInfinite : public NyrProgressDivider,
                            public IKorProgressInfinite {
public:
  KOR_CLASS(NyrProgressInfinite, IKorProgressSplitBase, IKorProgressAttach,
            IKorProgressInfinite)
  explicit NyrProgressInfinite(IKorProgress *parent = nullptr)
      : NyrProgressDivider(parent) {}
  bool Begin(int32_t steps) override;
  bool Step() override;

private:
  int32_t steps_ = 0;
  int32_t partCount_ = 0;
  int32_t counter_ = 0;
};
