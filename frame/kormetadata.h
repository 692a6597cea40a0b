//===- kormetadata.h - Metadata items of tests and their argument list ----===//
//
// A test is declared with an argument list of metadata items ended by a
// KorEndMetadata. The test's constructor keeps the items up to the end item
// in its metadata list and owns them from then on.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikortestmetadata.h"
#include <initializer_list>

/// Base of metadata items; its type name is its class name.
class KorMetadataBase : public virtual IKorTestMetadata {
public:
  KOR_CLASS(KorMetadataBase, IKorTestMetadata)
  /// Fills out with ClassName().
  KorCString &TypeName(KorCString &out) override;
};

/// Ends a metadata argument list; never kept in a test's list.
class KorEndMetadata : public KorMetadataBase {
public:
  KOR_CLASS_DERIVED(KorEndMetadata, KorMetadataBase)
};

/// The metadata argument list of a test declaration: items created with
/// new, ended by a KorEndMetadata.
using KorMetadataArgs = std::initializer_list<IKorUnknown *>;

/// Builds a test's metadata list from its argument list. The first
/// argument is the declaration's first item and is kept as it is, unless
/// it is the end item; each later one is kept when it answers
/// "IKorTestMetadata", up to the end item. list owns the kept items and the
/// end item is destroyed; arguments that are no metadata and arguments
/// after the end item are left alone.
void korBuildMetadataList(KorMetadataList &list, KorMetadataArgs args);

/// Destroys every item of list and empties it.
void korDestroyMetadataList(KorMetadataList &list);
