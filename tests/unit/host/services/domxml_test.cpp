// Unit tests of korhost's XML document service.
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
  child->SetText(u"a<b & \"c\" &amp; \u00fc\u4e2d\x01");
  root->AppendChild(child.get());
  root->AppendChild(element(u"empty").get());
  const std::string saved =
      kDeclaration +
      "<root b=\"3\" a=\"&lt;&quot;&amp;amp;'&gt; \u00e9&#9;\">\n"
      "  <child>a&lt;b &amp; \"c\" &amp;amp; \u00fc\u4e2d\uFFFD</child>\n"
      "  <empty/>\n"
      "</root>\n";
  EXPECT_EQ(doc_->saveUtf8(), saved);
  KorString text;
  doc_->SaveToText(text);
  EXPECT_EQ(text.view(), KorString::fromUtf8(saved.c_str()).view());
}

TEST_F(DomXmlTest, FreedElementsGoInertAndAppendRefusesCycles) {
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
  EXPECT_EQ(doc_->saveUtf8(),
            kDeclaration + "<r>\n  <b>\n    <a/>\n  </b>\n</r>\n");
}

TEST_F(DomXmlTest, ElementsStayInTheirDocument) {
  IPtr<HostXmlDocument> other(new HostXmlDocument);
  IPtr<IKorDOMXmlElement> stranger(other->CreateElement(u"stranger"));
  auto root = makeRoot(u"r");
  root->AppendChild(stranger.get());
  doc_->SetRootElement(stranger.get());
  EXPECT_EQ(doc_->saveUtf8(), kDeclaration + "<r/>\n");
}

TEST_F(DomXmlTest, InvalidTagNamesGiveNoElement) {
  const KorWChar *tags[] = {u"two words", u"", nullptr};
  for (const KorWChar *tag : tags)
    EXPECT_EQ(doc_->CreateElement(tag), nullptr);
  EXPECT_EQ(doc_->saveUtf8(), kDeclaration) << "an empty document";
}

TEST(HostXmlUtf8Test, ConvertsIntoOneReusedBuffer) {
  const KorWChar controls[] = {0x01, 0x09, 0x0A, 0x0D, 0x1F, 0};
  const KorWChar surrogates[] = {0xDC00, u'x', 0xD83D, 0xDE00, 0xD800, 0};
  const struct {
    const KorWChar *text;
    const char *utf8;
  } cases[] = {
      {u"a longer first text, so later ones reuse its room", nullptr},
      {u"ab", "ab"},
      {nullptr, ""},
      {u"", ""},
      {u"\u00e9\u4e2d\U0001F600", "\u00e9\u4e2d\U0001F600"},
      {controls, "\uFFFD\t\n\r\uFFFD"},
      {surrogates, "\uFFFDx\U0001F600\uFFFD"}, // pairs stay whole
      {u"\uFFFE\uFFFF\uFFFD", "\uFFFD\uFFFD\uFFFD"},
  };
  std::string buffer;
  for (const auto &c : cases) {
    hostXmlUtf8(c.text, buffer);
    if (c.utf8)
      EXPECT_EQ(buffer, c.utf8);
  }
}
} // namespace
