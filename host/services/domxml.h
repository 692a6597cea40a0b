//===- domxml.h - The host's XML document service -------------------------===//
//
// HostXmlDocument is the "IKorDOMXmlV2" service: one document whose root
// the caller replaces with each new tree. Each created element is a
// HostXmlElement that keeps the document alive; an element that never joins
// the tree frees its node with its last reference. The tree is a compact
// one of UTF-16 texts (host/services/xmltree.h), written straight into the
// caller's string: a report of many records costs a few hundred bytes per
// record, not the kilobyte a general-purpose XML tree takes. libxml2 checks
// element names and escapes the texts that need it as they are set; names
// are interned per document.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikordomxml.h"
#include "component/iptr.h"
#include "host/services/xmltree.h"
#include <libxml/tree.h>
#include <string>
#include <unordered_map>

class HostXmlDocument;

/// An element of a HostXmlDocument.
class HostXmlElement : public IKorDOMXmlElement {
public:
  KOR_CLASS(HostXmlElement, IKorDOMXmlElement)
  HostXmlElement(HostXmlDocument *document, XmlElementNode *node);
  ~HostXmlElement() override;

  void SetAttribute(const KorWChar *name, const KorWChar *value) override;
  void SetText(const KorWChar *text) override;
  void AppendChild(IKorDOMXmlElement *child) override;

  /// The element's node; null once its tree has been freed.
  XmlElementNode *node() const { return node_; }
  /// Forgets the node (its tree is being freed).
  void detach() { node_ = nullptr; }
  /// The document the element was made by.
  HostXmlDocument *document() const { return document_.get(); }

private:
  XmlElementNode *node_;
  IPtr<HostXmlDocument> document_;
};

/// The host's XML document.
class HostXmlDocument : public IKorDOMXmlV2 {
public:
  KOR_CLASS(HostXmlDocument, IKorDOMXmlV2, IKorDOMXmlDocument)
  HostXmlDocument();
  ~HostXmlDocument() override;
  HostXmlDocument(const HostXmlDocument &) = delete;
  HostXmlDocument &operator=(const HostXmlDocument &) = delete;

  void SaveToText(KorString &out) override;
  IKorDOMXmlElement *CreateElement(const KorWChar *tagName) override;
  void SetRootElement(IKorDOMXmlElement *root) override;

  /// The serialised document in UTF-8: the declaration naming UTF-8, then
  /// the tree indented by two spaces per level.
  std::string saveUtf8() const;

  /// `text` as the tree stores it: cleaned like every text, then escaped by
  /// libxml2 for an attribute value or for content.
  XmlText written(const KorWChar *text, bool inAttribute);
  /// The document's one copy of `name`, cleaned like every text.
  const XmlText *intern(const KorWChar *name);
  /// The root element's node, if any.
  XmlElementNode *root() const { return root_; }
  /// Forgets the root when `node` is it (it is moving into an element).
  void releaseRoot(const XmlElementNode *node);

private:
  /// Whether the interned name is a valid element name (checked once).
  bool validElementName(const XmlText *name);

  XmlElementNode *root_ = nullptr;
  xmlDocPtr escaping_ = nullptr; ///< declares UTF-8 to libxml2's escaping
  std::unordered_map<XmlText, int> names_; ///< name, then -1/0/1 validity
};

/// Frees a detached subtree or one being taken out of its parent, and
/// tells its element wrappers.
void hostXmlFreeTree(XmlElementNode *node);
