//===- kormetadata.cpp - Metadata items of tests and their argument list --===//
#include "frame/kormetadata.h"
#include "KorBasicTypes/korcstring.h"

KorCString &KorMetadataBase::TypeName(KorCString &out) {
  out = ClassName();
  return out;
}

namespace {
template <class T> T *queryAs(IKorUnknown *object) {
  void *result = nullptr;
  object->QueryInterface(korNameOf<T>(), &result, 0);
  return static_cast<T *>(result);
}
} // namespace

void korBuildMetadataList(KorMetadataList &list, KorMetadataArgs args) {
  list.clear();
  auto arg = args.begin();
  if (arg == args.end())
    return;
  if (*arg && queryAs<KorEndMetadata>(*arg)) {
    delete *arg;
    return;
  }
  if (auto *first = dynamic_cast<IKorTestMetadata *>(*arg))
    list.push_back(first);
  for (++arg; arg != args.end(); ++arg) {
    IKorTestMetadata *item = *arg ? queryAs<IKorTestMetadata>(*arg) : nullptr;
    if (!item)
      continue;
    if (queryAs<KorEndMetadata>(item)) {
      delete item;
      return;
    }
    list.push_back(item);
  }
}

void korDestroyMetadataList(KorMetadataList &list) {
  for (IKorTestMetadata *item : list)
    delete item;
  list.clear();
}
