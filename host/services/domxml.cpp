//===- domxml.cpp - The host's XML document service -----------------------===//
#include "host/services/domxml.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "KorBasicTypes/korstring.h"
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <unicode/ustring.h>

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

/// The UTF-8 form of a UTF-16 text that holds no lone surrogate.
std::string utf8Of(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');
  int32_t written = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8(out.data(), int32_t(out.size()), &written, text.data(),
              int32_t(text.size()), &status);
  out.resize(U_SUCCESS(status) ? size_t(written) : 0);
  return out;
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

void HostXmlElement::SetAttribute(const KorWChar *name,
                                  const KorWChar *value) {
  if (node_ && name)
    node_->setAttribute(document_->intern(name), xmlCleanText(value));
}

void HostXmlElement::SetText(const KorWChar *text) {
  if (!node_)
    return;
  while (node_->firstChild)
    hostXmlFreeTree(node_->firstChild);
  node_->text = xmlCleanText(text);
}

void HostXmlElement::AppendChild(IKorDOMXmlElement *child) {
  HostXmlElement *element = asHostElement(child);
  if (!node_ || !element || !element->node())
    return;
  XmlElementNode *childNode = element->node();
  // Names are interned per document: a node stays in its document.
  if (element->document() != document() ||
      node_->hasAncestorOrSelf(childNode))
    return; // another document's, or would make a cycle
  document_->releaseRoot(childNode);
  childNode->unlink();
  node_->append(childNode);
}

HostXmlDocument::HostXmlDocument() { xmlInitParser(); }

HostXmlDocument::~HostXmlDocument() {
  // Elements hold the document, so none is alive here.
  hostXmlFreeTree(root_);
}

void HostXmlDocument::SaveToText(KorString &out) {
  size_t length = xmlDocumentLength(root_);
  xmlWriteDocument(root_, out.bufferForOverwrite(int32_t(length)));
}

std::string HostXmlDocument::saveUtf8() const {
  std::u16string text(xmlDocumentLength(root_), u'\0');
  xmlWriteDocument(root_, text.data());
  return utf8Of(text);
}

const XmlText *HostXmlDocument::intern(const KorWChar *name) {
  return &names_.try_emplace(xmlCleanText(name), -1).first->first;
}

bool HostXmlDocument::validElementName(const XmlText *name) {
  int &valid = names_.find(*name)->second;
  if (valid < 0) {
    std::string utf8 = utf8Of(*name);
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
