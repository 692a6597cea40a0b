//===- domxml.cpp - The host's XML document service on libxml2 ------------===//
#include "host/services/domxml.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"
#include "KorBasicTypes/korstring.h"
#include <libxml/chvalid.h>
#include <libxml/parser.h>
#include <unicode/unistr.h>

namespace {
const xmlChar *xml(const std::string &text) {
  return reinterpret_cast<const xmlChar *>(text.c_str());
}

HostXmlElement *asHostElement(IKorDOMXmlElement *element) {
  void *result = nullptr;
  if (element)
    element->QueryInterface(HostXmlElement::kClassName, &result, 0);
  return static_cast<HostXmlElement *>(result);
}

/// Tells the wrappers of `node` and its descendants that their nodes go.
void detachWrappers(xmlNodePtr node) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE)
      continue;
    if (node->_private)
      static_cast<HostXmlElement *>(node->_private)->detach();
    node->_private = nullptr;
    detachWrappers(node->children);
  }
}

bool isAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node) {
  for (; node; node = node->parent)
    if (node == candidate)
      return true;
  return false;
}
} // namespace

std::string hostXmlText(const KorWChar *text) {
  if (!text)
    return {};
  icu::UnicodeString in(text), out;
  for (int32_t i = 0; i < in.length();) {
    UChar32 c = in.char32At(i);
    i += U16_LENGTH(c);
    out.append(xmlIsCharQ(c) ? c : UChar32(0xFFFD));
  }
  std::string utf8;
  out.toUTF8String(utf8);
  return utf8;
}

void hostXmlFreeTree(xmlNodePtr node) {
  if (!node)
    return;
  xmlUnlinkNode(node);
  if (node->_private)
    static_cast<HostXmlElement *>(node->_private)->detach();
  node->_private = nullptr;
  detachWrappers(node->children);
  xmlFreeNode(node);
}

HostXmlElement::HostXmlElement(HostXmlDocument *document, xmlNodePtr node)
    : node_(node), document_(document) {
  node_->_private = this;
}

HostXmlElement::~HostXmlElement() {
  if (!node_)
    return;
  node_->_private = nullptr;
  // A node outside any tree belongs to its last wrapper.
  if (!node_->parent)
    hostXmlFreeTree(node_);
}

void HostXmlElement::SetAttribute(const KorWChar *name,
                                  const KorWChar *value) {
  if (node_ && name)
    xmlSetProp(node_, xml(hostXmlText(name)), xml(hostXmlText(value)));
}

void HostXmlElement::SetText(const KorWChar *text) {
  if (!node_)
    return;
  while (node_->children)
    hostXmlFreeTree(node_->children);
  std::string content = hostXmlText(text);
  if (!content.empty())
    xmlNodeAddContent(node_, xml(content)); // taken as is, not parsed
}

void HostXmlElement::AppendChild(IKorDOMXmlElement *child) {
  HostXmlElement *element = asHostElement(child);
  if (!node_ || !element || !element->node())
    return;
  xmlNodePtr childNode = element->node();
  if (isAncestorOrSelf(childNode, node_))
    return; // would make a cycle
  xmlUnlinkNode(childNode);
  xmlAddChild(node_, childNode);
}

HostXmlDocument::HostXmlDocument() : doc_(nullptr) {
  xmlInitParser();
  doc_ = xmlNewDoc(reinterpret_cast<const xmlChar *>("1.0"));
}

HostXmlDocument::~HostXmlDocument() {
  // Elements hold the document, so none is alive here.
  xmlFreeDoc(doc_);
}

void HostXmlDocument::SaveToText(KorString &out) {
  std::u16string text = hostToUtf16(saveUtf8());
  out.assign(text.c_str(), static_cast<int32_t>(text.size()));
}

std::string HostXmlDocument::saveUtf8() const {
  xmlChar *buffer = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(doc_, &buffer, &size, "UTF-8", 1);
  std::string text(reinterpret_cast<const char *>(buffer),
                   buffer ? static_cast<size_t>(size) : 0);
  xmlFree(buffer);
  return text;
}

IKorDOMXmlElement *HostXmlDocument::CreateElement(const KorWChar *tagName) {
  std::string name = hostXmlText(tagName);
  if (xmlValidateName(xml(name), 0) != 0)
    return nullptr;
  xmlNodePtr node = xmlNewDocNode(doc_, nullptr, xml(name), nullptr);
  return node ? new HostXmlElement(this, node) : nullptr;
}

void HostXmlDocument::SetRootElement(IKorDOMXmlElement *root) {
  HostXmlElement *element = asHostElement(root);
  if (!element || !element->node())
    return;
  xmlNodePtr node = element->node();
  if (node == xmlDocGetRootElement(doc_))
    return;
  xmlUnlinkNode(node);
  hostXmlFreeTree(xmlDocSetRootElement(doc_, node));
}

KORHOST_SERVICE("IKorDOMXmlV2",
                [](const HostOptions &) { return new HostXmlDocument; });
