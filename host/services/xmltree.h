//===- xmltree.h - A compact XML element tree and its indented text -------===//
//
// The tree behind the host's XML document service. Each element keeps its
// interned name, its attributes in the order they were first set, an
// optional text and its child elements. Setting a text replaces every
// child, so a text always comes before the child elements. Texts are UTF-16
// and stored as they are written: cleaned of what XML 1.0 cannot carry and
// escaped by libxml2 (host/services/domxml), so writing the tree is
// copying. The text is the one libxml2 writes with formatting on, which the
// reports have always had: the UTF-8 declaration, two spaces of indentation
// per level (at most 30 levels), "<a/>" for an element without content, and
// no line breaks or indentation at all inside an element that has text.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

/// A name or text of the tree.
using XmlText = std::u16string;

/// `text` with every code unit XML 1.0 cannot carry (controls below U+0020
/// other than tab, line feed and carriage return, lone surrogates, U+FFFE
/// and U+FFFF) replaced by U+FFFD; null gives the empty text.
XmlText xmlCleanText(const char16_t *text);

/// One element of a tree. A parent owns its children; a node without a
/// parent belongs to whoever unlinked or created it.
struct XmlElementNode {
  explicit XmlElementNode(const XmlText *name) : name(name) {}
  ~XmlElementNode();
  XmlElementNode(const XmlElementNode &) = delete;
  XmlElementNode &operator=(const XmlElementNode &) = delete;

  /// Sets an attribute to its written (escaped) value: a new name goes
  /// after the others, an existing name keeps its place and takes the new
  /// value.
  void setAttribute(const XmlText *attributeName, XmlText value);
  /// Appends `child`, which has no parent, as the last child.
  void append(XmlElementNode *child);
  /// Takes the node out of its parent's children.
  void unlink();
  /// Whether `node` is this element or one of its ancestors.
  bool hasAncestorOrSelf(const XmlElementNode *node) const;

  const XmlText *name;
  std::vector<std::pair<const XmlText *, XmlText>> attributes;
  XmlText text; ///< written (escaped); empty when the element has none
  XmlElementNode *parent = nullptr;
  XmlElementNode *firstChild = nullptr;
  XmlElementNode *lastChild = nullptr;
  XmlElementNode *previous = nullptr;
  XmlElementNode *next = nullptr;
  void *owner = nullptr; ///< the object that speaks for the node, if any
};

/// Length in code units of the document text of `root` (null: no root).
size_t xmlDocumentLength(const XmlElementNode *root);
/// Writes the document text of `root`, xmlDocumentLength units, to `out`:
/// the declaration line, then the root element and a line break.
void xmlWriteDocument(const XmlElementNode *root, char16_t *out);
