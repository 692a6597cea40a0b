//===- ikordomxml.h - The host's XML document and element contracts -------===//
//
// An XML document is built element by element and serialised by the host,
// which owns the declaration line, the encoding name, the indentation and all
// escaping. Wide texts are UTF-16 and NUL-terminated. Slots the component
// does not use are reserved and answer 0.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"

class KorString;

/// One element of a host XML document.
class IKorDOMXmlElement : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDOMXmlElement)
  KOR_RESERVED_SLOTS(0, 10)
  /// Slot 10: sets an attribute; new names follow the ones already set, an
  /// existing name keeps its place and takes the new value.
  virtual void SetAttribute(const KorWChar *name, const KorWChar *value) = 0;
  KOR_RESERVED_SLOTS(11, 7)
  /// Slot 18: replaces the element's character content.
  virtual void SetText(const KorWChar *text) = 0;
  KOR_RESERVED_SLOTS(19, 2)
  /// Slot 21: appends `child` after the existing children (moving it when it
  /// was attached elsewhere).
  virtual void AppendChild(IKorDOMXmlElement *child) = 0;
};

/// The document operations every host XML document offers.
class IKorDOMXmlDocument : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDOMXmlDocument)
  KOR_RESERVED_SLOTS(0, 4)
  /// Slot 4: the serialised document (declaration, then the indented tree)
  /// replaces `out`.
  virtual void SaveToText(KorString &out) = 0;
  KOR_RESERVED_SLOTS(5, 2)
  /// Slot 7: a new element that belongs to no parent yet, with no
  /// reference taken for the caller; null when it cannot be made.
  virtual IKorDOMXmlElement *CreateElement(const KorWChar *tagName) = 0;
  KOR_RESERVED_SLOTS(8, 1)
  /// Slot 9: makes `root` the document's root, replacing the previous tree.
  virtual void SetRootElement(IKorDOMXmlElement *root) = 0;
};

/// The host's XML document service.
class IKorDOMXmlV2 : public IKorDOMXmlDocument {
  KOR_INTERFACE(IKorDOMXmlV2)
};
