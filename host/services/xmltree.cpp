//===- xmltree.cpp - A compact XML element tree and its indented text -----===//
#include "host/services/xmltree.h"
#include <algorithm>
#include <string_view>

namespace {
constexpr char16_t kReplacement = 0xFFFD;
constexpr int kMaxIndentLevels = 30;

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

/// Whether XML 1.0 cannot carry the code unit in any position (surrogates
/// are judged in pairs by the caller).
bool outsideXml(char16_t c) {
  return (c < 0x20 && c != 0x9 && c != 0xA && c != 0xD) || c >= 0xFFFE;
}

/// Whether XML carries the unit as it is wherever it stands.
bool isPlainUnit(char16_t c) {
  return !outsideXml(c) && !isHighSurrogate(c) && !isLowSurrogate(c);
}

/// Counts the units the writer would put out (Writing false) or writes
/// them (Writing true); one walk of the tree serves both.
template <bool Writing> class Output {
public:
  explicit Output(char16_t *out = nullptr) : out_(out) {}
  size_t size() const { return size_; }

  void put(std::u16string_view text) {
    if constexpr (Writing)
      std::copy(text.begin(), text.end(), out_ + size_);
    size_ += text.size();
  }
  void put(char16_t c) { put(std::u16string_view(&c, 1)); }
  void indent(int level) {
    static constexpr char16_t spaces[] =
        u"                                                            ";
    put(std::u16string_view(spaces,
                            2 * size_t(std::min(level, kMaxIndentLevels))));
  }

  void element(const XmlElementNode &node, int level, bool formatted) {
    put(u'<');
    put(*node.name);
    for (const auto &[name, value] : node.attributes) {
      put(u' ');
      put(*name);
      put(u"=\"");
      put(value);
      put(u'"');
    }
    if (node.text.empty() && !node.firstChild) {
      put(u"/>");
      return;
    }
    // A text child turns line breaks and indentation off for the whole
    // content of the element.
    bool childrenFormatted = formatted && node.text.empty();
    put(u'>');
    if (childrenFormatted)
      put(u'\n');
    put(node.text);
    for (const XmlElementNode *child = node.firstChild; child;
         child = child->next) {
      if (childrenFormatted)
        indent(level + 1);
      element(*child, level + 1, childrenFormatted);
      if (childrenFormatted)
        put(u'\n');
    }
    if (childrenFormatted)
      indent(level);
    put(u"</");
    put(*node.name);
    put(u'>');
  }

  void document(const XmlElementNode *root) {
    put(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    if (!root)
      return;
    element(*root, 0, true);
    put(u'\n');
  }

private:
  char16_t *out_;
  size_t size_ = 0;
};
} // namespace

XmlText xmlCleanText(const char16_t *text) {
  if (!text)
    return {};
  // Most texts hold nothing to replace: one pass finds the length and
  // whether any unit needs a second look.
  size_t length = 0;
  bool plain = true;
  for (; text[length]; ++length)
    plain &= isPlainUnit(text[length]);
  XmlText clean(text, length);
  if (plain)
    return clean;
  for (size_t i = 0; i < clean.size(); ++i) {
    char16_t c = clean[i];
    if (isHighSurrogate(c) && i + 1 < clean.size() &&
        isLowSurrogate(clean[i + 1]))
      ++i; // a pair stays as it is
    else if (outsideXml(c) || isHighSurrogate(c) || isLowSurrogate(c))
      clean[i] = kReplacement;
  }
  return clean;
}

XmlElementNode::~XmlElementNode() {
  while (firstChild) {
    XmlElementNode *child = firstChild;
    child->unlink();
    delete child;
  }
}

void XmlElementNode::setAttribute(const XmlText *attributeName, XmlText value) {
  for (auto &[name, oldValue] : attributes)
    if (name == attributeName) {
      oldValue = std::move(value);
      return;
    }
  // Report elements carry up to three attributes: room for them at once
  // saves two reallocations per element.
  if (attributes.empty())
    attributes.reserve(3);
  attributes.emplace_back(attributeName, std::move(value));
}

void XmlElementNode::append(XmlElementNode *child) {
  child->parent = this;
  child->previous = lastChild;
  child->next = nullptr;
  (lastChild ? lastChild->next : firstChild) = child;
  lastChild = child;
}

void XmlElementNode::unlink() {
  if (!parent)
    return;
  (previous ? previous->next : parent->firstChild) = next;
  (next ? next->previous : parent->lastChild) = previous;
  parent = previous = next = nullptr;
}

bool XmlElementNode::hasAncestorOrSelf(const XmlElementNode *node) const {
  for (const XmlElementNode *at = this; at; at = at->parent)
    if (at == node)
      return true;
  return false;
}

size_t xmlDocumentLength(const XmlElementNode *root) {
  Output<false> counter;
  counter.document(root);
  return counter.size();
}

void xmlWriteDocument(const XmlElementNode *root, char16_t *out) {
  Output<true> writer(out);
  writer.document(root);
}
