// Unit tests of korhost's XML document service (formatters_test compares
// whole reports written through it).
#include "host/services/domxml.h"
#include "KorBasicTypes/korstring.h"
#include <gtest/gtest.h>

namespace {
const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

/// A document held by one reference, as the host holds its service.
class DomXmlTest : public ::testing::Test {
protected:
  DomXmlTest() : doc_(new HostXmlDocument) {}
  IPtr<IKorDOMXmlElement> element(const KorWChar *tag) {
    return IPtr<IKorDOMXmlElement>(doc_->CreateElement(tag));
  }
  IPtr<IKorDOMXmlElement> makeRoot(const KorWChar *tag) {
    IPtr<IKorDOMXmlElement> root = element(tag);
    doc_->SetRootElement(root.get());
    return root;
  }
  IPtr<HostXmlDocument> doc_;
};

TEST_F(DomXmlTest, SavesAnIndentedTreeWithEscapesAndAttributesInSetOrder) {
  auto root = makeRoot(u"root");
  root->SetAttribute(u"b", u"1");
  root->SetAttribute(u"a", u"<\"&amp;'> \u00e9\t");
  root->SetAttribute(u"b", u"3"); // keeps its place, takes the new value
  auto child = element(u"child");
  child->SetText(u"replaced");
  child->SetText(u"a<b & \"c\" &amp; \u00fc\u4e2d\x01\uFFFE");
  root->AppendChild(child.get());
  root->AppendChild(element(u"empty").get());
  const std::string saved =
      kDeclaration +
      "<root b=\"3\" a=\"&lt;&quot;&amp;amp;'&gt; \u00e9&#9;\">\n"
      "  <child>a&lt;b &amp; \"c\" &amp;amp; \u00fc\u4e2d\uFFFD\uFFFD</child>\n"
      "  <empty/>\n"
      "</root>\n";
  EXPECT_EQ(doc_->saveUtf8(), saved);
  KorString savedText;
  doc_->SaveToText(savedText);
  EXPECT_EQ(savedText.view(), KorString::fromUtf8(saved.c_str()).view());
  // A surrogate pair stays one character; lone surrogates become U+FFFD.
  std::u16string pairs = u"\U0001F600";
  pairs += {char16_t(0xDC00), u'x', char16_t(0xD800)};
  child->SetText(pairs.c_str());
  EXPECT_NE(doc_->saveUtf8().find("<child>\U0001F600\uFFFDx\uFFFD</child>"),
            std::string::npos);
}

TEST_F(DomXmlTest, FreedElementsGoInertAndAppendRefusesCyclesAndStrangers) {
  auto first = makeRoot(u"first");
  auto old = element(u"old");
  first->AppendChild(old.get());
  first->SetText(u"text"); // replaces the content, freeing "old"
  old->SetText(u"inert");
  old->SetAttribute(u"x", u"1");
  EXPECT_EQ(doc_->saveUtf8(), kDeclaration + "<first>text</first>\n");
  auto root = makeRoot(u"r"); // frees the tree of "first"
  first->AppendChild(old.get());
  root->AppendChild(first.get());
  auto a = element(u"a");
  auto b = element(u"b");
  root->AppendChild(a.get());
  root->AppendChild(b.get());
  b->AppendChild(a.get()); // moves a under b
  a->AppendChild(root.get());
  a->AppendChild(a.get());
  // An element of another document stays there.
  IPtr<HostXmlDocument> other(new HostXmlDocument);
  IPtr<IKorDOMXmlElement> stranger(other->CreateElement(u"stranger"));
  root->AppendChild(stranger.get());
  doc_->SetRootElement(stranger.get());
  EXPECT_EQ(doc_->saveUtf8(),
            kDeclaration + "<r>\n  <b>\n    <a/>\n  </b>\n</r>\n");
}

TEST_F(DomXmlTest, InvalidTagNamesGiveNoElement) {
  const KorWChar *tags[] = {u"two words", u"", nullptr};
  for (const KorWChar *tag : tags)
    EXPECT_EQ(doc_->CreateElement(tag), nullptr);
  EXPECT_EQ(doc_->saveUtf8(), kDeclaration) << "an empty document";
}

} // namespace
