//===- nyrshared.h - Shared objects with atomic strong and weak counts ----===//
//
// NyrCounted is the base of objects owned by NyrRef (strong) and watched by
// NyrWeak. The last strong reference disposes of what the object holds; the
// storage goes with the last weak one (all strong references together hold
// one weak reference). A weak reference becomes a strong one only through a
// compare-and-swap loop that succeeds while the strong count is non-zero.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <atomic>
#include <cstdint>
#include <utility>

/// Base of a shared object with separate atomic strong and weak counts.
class NyrCounted {
public:
  NyrCounted() = default;
  NyrCounted(const NyrCounted &) = delete;
  NyrCounted &operator=(const NyrCounted &) = delete;

  void addStrong() { strong_.fetch_add(1, std::memory_order_relaxed); }
  void releaseStrong() {
    if (strong_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      dispose();
      releaseWeak();
    }
  }
  /// One more strong reference unless the object is already disposed of.
  bool tryAddStrong() {
    uint32_t count = strong_.load(std::memory_order_relaxed);
    while (count != 0)
      if (strong_.compare_exchange_weak(count, count + 1,
                                        std::memory_order_acq_rel,
                                        std::memory_order_relaxed))
        return true;
    return false;
  }
  void addWeak() { weak_.fetch_add(1, std::memory_order_relaxed); }
  void releaseWeak() {
    if (weak_.fetch_sub(1, std::memory_order_acq_rel) == 1)
      delete this;
  }
  uint32_t strongCount() const {
    return strong_.load(std::memory_order_relaxed);
  }

protected:
  virtual ~NyrCounted() = default;
  /// Drops what the object holds when its last strong reference goes.
  virtual void dispose() {}

private:
  std::atomic<uint32_t> strong_{1};
  std::atomic<uint32_t> weak_{1};
};

/// Owns one strong reference on a NyrCounted object.
template <class T> class NyrRef {
public:
  NyrRef() = default;
  /// Takes over the reference a new object starts with.
  static NyrRef adopt(T *object) {
    NyrRef ref;
    ref.object_ = object;
    return ref;
  }
  /// Takes a further reference on an object already owned elsewhere.
  static NyrRef share(T *object) {
    if (object)
      object->addStrong();
    return adopt(object);
  }
  NyrRef(const NyrRef &other) : object_(other.object_) {
    if (object_)
      object_->addStrong();
  }
  NyrRef(NyrRef &&other) noexcept
      : object_(std::exchange(other.object_, nullptr)) {}
  NyrRef &operator=(NyrRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~NyrRef() { reset(); }

  void reset() {
    if (T *object = std::exchange(object_, nullptr))
      object->releaseStrong();
  }
  /// Gives up ownership without releasing; the caller owns the reference.
  T *release() { return std::exchange(object_, nullptr); }
  T *get() const { return object_; }
  T *operator->() const { return object_; }
  T &operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

private:
  T *object_ = nullptr;
};

/// Watches a NyrCounted object without keeping its contents alive.
template <class T> class NyrWeak {
public:
  NyrWeak() = default;
  explicit NyrWeak(const NyrRef<T> &ref) { assign(ref.get()); }
  NyrWeak(const NyrWeak &other) { assign(other.object_); }
  NyrWeak &operator=(const NyrWeak &other) {
    if (this != &other) {
      reset();
      assign(other.object_);
    }
    return *this;
  }
  NyrWeak &operator=(const NyrRef<T> &ref) {
    reset();
    assign(ref.get());
    return *this;
  }
  ~NyrWeak() { reset(); }

  void reset() {
    if (T *object = std::exchange(object_, nullptr))
      object->releaseWeak();
  }
  /// A strong reference, or an empty one once the object is disposed of.
  NyrRef<T> lock() const {
    if (object_ && object_->tryAddStrong())
      return NyrRef<T>::adopt(object_);
    return NyrRef<T>();
  }
  bool empty() const { return object_ == nullptr; }

private:
  void assign(T *object) {
    object_ = object;
    if (object_)
      object_->addWeak();
  }

  T *object_ = nullptr;
};
