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

class KorString;

/// One element of a host XML document.
class IKorDOMXmlElement : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDOMXmlElement)
  virtual int Reserved0() { return 0; }
  virtual int Reserved1() { return 0; }
  virtual int Reserved2() { return 0; }
  virtual int Reserved3() { return 0; }
  virtual int Reserved4() { return 0; }
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  virtual int Reserved7() { return 0; }
  virtual int Reserved8() { return 0; }
  virtual int Reserved9() { return 0; }
  /// Slot 10: sets an attribute; new names follow the ones already set, an
  /// existing name keeps its place and takes the new value.
  virtual void SetAttribute(const KorWChar *name, const KorWChar *value) = 0;
  virtual int Reserved11() { return 0; }
  virtual int Reserved12() { return 0; }
  virtual int Reserved13() { return 0; }
  virtual int Reserved14() { return 0; }
  virtual int Reserved15() { return 0; }
  virtual int Reserved16() { return 0; }
  virtual int Reserved17() { return 0; }
  /// Slot 18: replaces the element's character content.
  virtual void SetText(const KorWChar *text) = 0;
  virtual int Reserved19() { return 0; }
  virtual int Reserved20() { return 0; }
  /// Slot 21: appends `child` after the existing children (moving it when it
  /// was attached elsewhere).
  virtual void AppendChild(IKorDOMXmlElement *child) = 0;
};

/// The document operations every host XML document offers.
class IKorDOMXmlDocument : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDOMXmlDocument)
  virtual int Reserved0() { return 0; }
  virtual int Reserved1() { return 0; }
  virtual int Reserved2() { return 0; }
  virtual int Reserved3() { return 0; }
  /// Slot 4: the serialised document (declaration, then the indented tree)
  /// replaces `out`.
  virtual void SaveToText(KorString &out) = 0;
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  /// Slot 7: a new element that belongs to no parent yet, with no
  /// reference taken for the caller; null when it cannot be made.
  virtual IKorDOMXmlElement *CreateElement(const KorWChar *tagName) = 0;
  virtual int Reserved8() { return 0; }
  /// Slot 9: makes `root` the document's root, replacing the previous tree.
  virtual void SetRootElement(IKorDOMXmlElement *root) = 0;
};

/// The host's XML document service.
class IKorDOMXmlV2 : public IKorDOMXmlDocument {
  KOR_INTERFACE(IKorDOMXmlV2)
};
