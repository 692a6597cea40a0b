//===- domxml.h - The host's XML document service on libxml2 --------------===//
//
// HostXmlDocument is the "IKorDOMXmlV2" service: one libxml2 document whose
// root the caller replaces with each new tree. Each created element is a
// HostXmlElement that keeps the document alive; an element that never joins
// the tree frees its node with its last reference. Serialisation, escaping,
// the declaration and the indentation are libxml2's. Element and attribute
// names are interned in the document's dictionary, and every UTF-16 text
// is turned into UTF-8 once, into buffers the document reuses.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikordomxml.h"
#include "component/iptr.h"
#include <libxml/globals.h>
#include <libxml/tree.h>
#include <memory>
#include <string>

class HostXmlDocument;

/// An element of a HostXmlDocument.
class HostXmlElement : public IKorDOMXmlElement {
public:
  KOR_CLASS(HostXmlElement, IKorDOMXmlElement)
  HostXmlElement(HostXmlDocument *document, xmlNodePtr node);
  ~HostXmlElement() override;

  void SetAttribute(const KorWChar *name, const KorWChar *value) override;
  void SetText(const KorWChar *text) override;
  void AppendChild(IKorDOMXmlElement *child) override;

  /// The element's node; null once its tree has been freed.
  xmlNodePtr node() const { return node_; }
  /// Forgets the node (its tree is being freed).
  void detach() { node_ = nullptr; }

private:
  xmlNodePtr node_;
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

  /// The UTF-8 form of a name, valid until the next call.
  const xmlChar *nameText(const KorWChar *name) { return convert(name, name_); }
  /// The UTF-8 form of a value or content, valid until the next call.
  const xmlChar *valueText(const KorWChar *value) {
    return convert(value, value_);
  }
  /// The length in bytes of the text valueText gave last.
  int valueLength() const { return static_cast<int>(value_.size()); }

private:
  /// libxml2's serialised document and its size in bytes.
  struct Dump {
    struct Free {
      void operator()(xmlChar *text) const { xmlFree(text); }
    };
    using Text = std::unique_ptr<xmlChar, Free>;
    Text text;
    size_t size;
  };
  Dump dump() const;
  static const xmlChar *convert(const KorWChar *text, std::string &buffer);

  xmlDocPtr doc_;
  std::string name_;  ///< reused by nameText
  std::string value_; ///< reused by valueText
};

/// Frees a detached subtree and tells its element wrappers.
void hostXmlFreeTree(xmlNodePtr node);
/// Writes the UTF-8 form of a UTF-16 text for libxml2 into `out`, reusing
/// its storage: characters XML 1.0 cannot carry at all (most controls below
/// U+0020, lone surrogates, U+FFFE and U+FFFF) become U+FFFD so the saved
/// document stays well-formed. Null gives the empty text.
void hostXmlUtf8(const KorWChar *text, std::string &out);
