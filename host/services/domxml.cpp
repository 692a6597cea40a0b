//===- domxml.cpp - The host's XML document service -----------------------===//
#include "host/services/domxml.h"
#include "KorBasicTypes/korstring.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"
#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {
HostXmlElement *asHostElement(IKorDOMXmlElement *element) {
  void *result = nullptr;
  if (element)
    element->QueryInterface(HostXmlElement::kClassName, &result, 0);
  return static_cast<HostXmlElement *>(result);
}

/// Tells the wrappers of `node` and its descendants that their nodes go.
void detachWrappers(XmlElementNode *node) {
  if (node->owner)
    static_cast<HostXmlElement *>(node->owner)->detach();
  node->owner = nullptr;
  for (XmlElementNode *child = node->firstChild; child; child = child->next)
    detachWrappers(child);
}

/// Whether libxml2 would write any unit of `text` as an entity. Most
/// texts of a report hold none and are stored as they are.
bool needsEscaping(const XmlText &text, bool inAttribute) {
  std::u16string_view special = inAttribute ? u"<>&\r\"\n\t" : u"<>&\r";
  return text.find_first_of(special) != XmlText::npos;
}
} // namespace

void hostXmlFreeTree(XmlElementNode *node) {
  if (!node)
    return;
  node->unlink();
  detachWrappers(node);
  delete node;
}

HostXmlElement::HostXmlElement(HostXmlDocument *document, XmlElementNode *node)
    : node_(node), document_(document) {
  node_->owner = this;
}

HostXmlElement::~HostXmlElement() {
  if (!node_)
    return;
  node_->owner = nullptr;
  // A node outside any tree belongs to its last wrapper.
  if (!node_->parent && node_ != document_->root())
    hostXmlFreeTree(node_);
}

void HostXmlElement::SetAttribute(const KorWChar *name, const KorWChar *value) {
  if (node_ && name)
    node_->setAttribute(document_->intern(name),
                        document_->written(value, true));
}

void HostXmlElement::SetText(const KorWChar *text) {
  if (!node_)
    return;
  while (node_->firstChild)
    hostXmlFreeTree(node_->firstChild);
  node_->text = document_->written(text, false);
}

void HostXmlElement::AppendChild(IKorDOMXmlElement *child) {
  HostXmlElement *element = asHostElement(child);
  if (!node_ || !element || !element->node())
    return;
  XmlElementNode *childNode = element->node();
  // Names are interned per document: a node stays in its document.
  if (element->document() != document() || node_->hasAncestorOrSelf(childNode))
    return; // another document's, or would make a cycle
  document_->releaseRoot(childNode);
  childNode->unlink();
  node_->append(childNode);
}

HostXmlDocument::HostXmlDocument() {
  xmlInitParser();
  escaping_ = xmlNewDoc(BAD_CAST "1.0");
  // Declared UTF-8, libxml2 leaves characters beyond ASCII as they are.
  escaping_->encoding = xmlStrdup(BAD_CAST "UTF-8");
}

HostXmlDocument::~HostXmlDocument() {
  // Elements hold the document, so none is alive here.
  hostXmlFreeTree(root_);
  xmlFreeDoc(escaping_);
}

XmlText HostXmlDocument::written(const KorWChar *text, bool inAttribute) {
  XmlText clean = xmlCleanText(text);
  if (!needsEscaping(clean, inAttribute))
    return clean;
  std::string utf8 = hostToUtf8(clean.c_str());
  const xmlChar *raw = BAD_CAST utf8.c_str();
  if (inAttribute) {
    xmlBufferPtr escaped = xmlBufferCreate();
    xmlAttrSerializeTxtContent(escaped, escaping_, nullptr, raw);
    std::string out(reinterpret_cast<const char *>(xmlBufferContent(escaped)),
                    size_t(xmlBufferLength(escaped)));
    xmlBufferFree(escaped);
    return hostToUtf16(out);
  }
  xmlChar *escaped = xmlEncodeEntitiesReentrant(escaping_, raw);
  std::string out(escaped ? reinterpret_cast<const char *>(escaped) : "");
  xmlFree(escaped);
  return hostToUtf16(out);
}

void HostXmlDocument::SaveToText(KorString &out) {
  size_t length = xmlDocumentLength(root_);
  xmlWriteDocument(root_, out.bufferForOverwrite(int32_t(length)));
}

std::string HostXmlDocument::saveUtf8() const {
  std::u16string text(xmlDocumentLength(root_), u'\0');
  xmlWriteDocument(root_, text.data());
  return hostToUtf8(text.c_str());
}

const XmlText *HostXmlDocument::intern(const KorWChar *name) {
  return &names_.try_emplace(xmlCleanText(name), -1).first->first;
}

bool HostXmlDocument::validElementName(const XmlText *name) {
  int &valid = names_.find(*name)->second;
  if (valid < 0) {
    std::string utf8 = hostToUtf8(name->c_str());
    valid = xmlValidateName(reinterpret_cast<const xmlChar *>(utf8.c_str()),
                            0) == 0;
  }
  return valid == 1;
}

IKorDOMXmlElement *HostXmlDocument::CreateElement(const KorWChar *tagName) {
  if (!tagName)
    return nullptr;
  const XmlText *name = intern(tagName);
  if (!validElementName(name))
    return nullptr;
  return new HostXmlElement(this, new XmlElementNode(name));
}

void HostXmlDocument::SetRootElement(IKorDOMXmlElement *root) {
  HostXmlElement *element = asHostElement(root);
  if (!element || !element->node())
    return;
  XmlElementNode *node = element->node();
  if (element->document() != this || node == root_)
    return;
  node->unlink();
  hostXmlFreeTree(root_);
  root_ = node;
}

void HostXmlDocument::releaseRoot(const XmlElementNode *node) {
  if (node == root_)
    root_ = nullptr;
}

KORHOST_SERVICE("IKorDOMXmlV2",
                [](const HostOptions &) { return new HostXmlDocument; });
