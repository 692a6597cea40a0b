//===- kormetadata.h - Metadata items of tests and their argument list ----===//
//
// A test is declared with an argument list of metadata items ended by a
// KorEndMetadata. The test's constructor keeps the items up to the end item
// in its metadata list and owns them from then on.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "ikortestmetadata.h"
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

/// Builds a test's metadata list from its argument list: the items before
/// the first KorEndMetadata that answer "IKorTestMetadata" are appended to
/// list; list takes ownership of them. Every other argument (the end item,
/// items after it, objects that are no metadata) is destroyed.
void korBuildMetadataList(KorMetadataList &list, KorMetadataArgs args);

/// Destroys every item of list and empties it.
void korDestroyMetadataList(KorMetadataList &list);
