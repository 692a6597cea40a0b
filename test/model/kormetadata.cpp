//===- kormetadata.cpp - Metadata items of tests and their argument list --===//
#include "kormetadata.h"
#include "korcstring.h"

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
  bool ended = false;
  for (IKorUnknown *arg : args) {
    if (!arg)
      continue;
    IKorTestMetadata *item = nullptr;
    if (!ended && queryAs<KorEndMetadata>(arg))
      ended = true;
    else if (!ended)
      item = queryAs<IKorTestMetadata>(arg);
    if (item)
      list.push_back(item);
    else
      delete arg;
  }
}

void korDestroyMetadataList(KorMetadataList &list) {
  for (IKorTestMetadata *item : list)
    delete item;
  list.clear();
}
