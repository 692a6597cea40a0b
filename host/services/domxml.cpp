//===- domxml.cpp - The host's XML document service on libxml2 ------------===//
#include "host/services/domxml.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "KorBasicTypes/korstring.h"
#include <algorithm>
#include <climits>
#include <libxml/parser.h>
#include <memory>
#include <unicode/ustring.h>

namespace {
constexpr UChar32 kReplacement = 0xFFFD;

/// Whether XML 1.0 cannot carry the code unit in any position: controls
/// other than tab, line feed and carriage return, U+FFFE and U+FFFF. Lone
/// surrogates are the conversion's to replace.
bool outsideXml(KorWChar c) {
  return (c < 0x20 && c != 0x9 && c != 0xA && c != 0xD) || c >= 0xFFFE;
}

/// Whether the code unit is ASCII that XML carries as it is.
bool isPlainAscii(KorWChar c) {
  return (c >= 0x20 && c < 0x80) || c == 0x9 || c == 0xA || c == 0xD;
}

/// Converts `text` into `out` with ICU, replacing what XML cannot carry.
void utf8WithReplacements(const KorWChar *text, std::string &out) {
  out.clear();
  size_t length = 0;
  bool clean = true;
  for (; text[length]; ++length)
    clean &= !outsideXml(text[length]);
  // At most three bytes per code unit (a pair gives four for two units).
  if (length > INT32_MAX / 3)
    return;
  std::u16string replaced;
  if (!clean) {
    replaced.assign(text, length);
    for (char16_t &c : replaced)
      if (outsideXml(c))
        c = char16_t(kReplacement);
    text = replaced.c_str();
  }
  out.resize(length * 3);
  int32_t written = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), int32_t(out.size()), &written, text,
                     int32_t(length), kReplacement, nullptr, &status);
  out.resize(U_SUCCESS(status) ? size_t(written) : 0);
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

void hostXmlUtf8(const KorWChar *text, std::string &out) {
  out.clear();
  if (!text)
    return;
  // Names and most values are plain ASCII: copied unit by unit.
  size_t length = 0;
  while (isPlainAscii(text[length]))
    ++length;
  if (text[length])
    return utf8WithReplacements(text, out);
  out.resize(length);
  std::copy(text, text + length, out.begin());
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
    xmlSetProp(node_, document_->nameText(name), document_->valueText(value));
}

void HostXmlElement::SetText(const KorWChar *text) {
  if (!node_)
    return;
  while (node_->children)
    hostXmlFreeTree(node_->children);
  const xmlChar *content = document_->valueText(text);
  if (int length = document_->valueLength())
    xmlNodeAddContentLen(node_, content, length); // taken as is, not parsed
}

void HostXmlElement::AppendChild(IKorDOMXmlElement *child) {
  HostXmlElement *element = asHostElement(child);
  if (!node_ || !element || !element->node())
    return;
  xmlNodePtr childNode = element->node();
  // Names live in their document's dictionary: a node stays in its document.
  if (childNode->doc != node_->doc || isAncestorOrSelf(childNode, node_))
    return; // another document's, or would make a cycle
  xmlUnlinkNode(childNode);
  xmlAddChild(node_, childNode);
}

HostXmlDocument::HostXmlDocument() : doc_(nullptr) {
  xmlInitParser();
  doc_ = xmlNewDoc(reinterpret_cast<const xmlChar *>("1.0"));
  // Names repeat in every element: the dictionary keeps one copy of each.
  doc_->dict = xmlDictCreate();
}

HostXmlDocument::~HostXmlDocument() {
  // Elements hold the document, so none is alive here.
  xmlFreeDoc(doc_);
}

void HostXmlDocument::SaveToText(KorString &out) {
  Dump utf8 = dump();
  // UTF-8 never takes fewer bytes than UTF-16 code units, so the string's
  // buffer, sized by bytes, holds the whole conversion.
  KorWChar *wide = out.bufferForOverwrite(int32_t(utf8.size));
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(wide, int32_t(utf8.size + 1), &length,
                       reinterpret_cast<const char *>(utf8.text.get()),
                       int32_t(utf8.size), kReplacement, nullptr, &status);
  wide[U_SUCCESS(status) ? length : 0] = 0;
}

std::string HostXmlDocument::saveUtf8() const {
  Dump utf8 = dump();
  return {reinterpret_cast<const char *>(utf8.text.get()), utf8.size};
}

HostXmlDocument::Dump HostXmlDocument::dump() const {
  xmlChar *text = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(doc_, &text, &size, "UTF-8", 1);
  return {Dump::Text(text), text ? size_t(size) : 0};
}

IKorDOMXmlElement *HostXmlDocument::CreateElement(const KorWChar *tagName) {
  const xmlChar *name = nameText(tagName);
  if (xmlValidateName(name, 0) != 0)
    return nullptr;
  xmlNodePtr node = xmlNewDocNode(doc_, nullptr, name, nullptr);
  return node ? new HostXmlElement(this, node) : nullptr;
}

void HostXmlDocument::SetRootElement(IKorDOMXmlElement *root) {
  HostXmlElement *element = asHostElement(root);
  if (!element || !element->node())
    return;
  xmlNodePtr node = element->node();
  if (node->doc != doc_ || node == xmlDocGetRootElement(doc_))
    return;
  xmlUnlinkNode(node);
  hostXmlFreeTree(xmlDocSetRootElement(doc_, node));
}

const xmlChar *HostXmlDocument::convert(const KorWChar *text,
                                        std::string &buffer) {
  hostXmlUtf8(text, buffer);
  return reinterpret_cast<const xmlChar *>(buffer.c_str());
}

KORHOST_SERVICE("IKorDOMXmlV2",
                [](const HostOptions &) { return new HostXmlDocument; });
