//===- kordefaultclassfactory.h - The process-wide class factory ----------===//
#pragma once
#include "component/ikorclassfactory.h"
#include "KorBasicTypes/korhashtable.h"
#include <memory>
#include <vector>

/// Hash of a class identifier: its first 32 bits.
struct KorGuidHash {
  uint32_t operator()(const KorGuid &id) const { return id.data1; }
};

/// Maps class identifiers to item factories; one per process.
class KorDefaultClassFactory : public IKorClassFactory {
public:
  /// The singleton, created on first use.
  static KorDefaultClassFactory &instance();

  /// Inserts (or replaces) the item factory under its identifier; the
  /// class factory owns it.
  void registerItem(KorItemFactory *item);

  int Create(const KorGuid &classId, IKorUnknown **object) override;
  int Count() override;
  bool First(KorGuid *id) override;
  bool Next(KorGuid *id) override;
  const char *ClassNameOf(const KorGuid &id) override;

  uint64_t bucketCount() const { return map_.bucketCount(); }

private:
  KorDefaultClassFactory() : map_(99) {}
  KorHashMap<KorGuid, KorItemFactory *, KorGuidHash> map_;
  std::vector<std::unique_ptr<KorItemFactory>> owned_;
  std::vector<KorGuid> walk_;
  size_t walkPos_ = 0;
};
