// Unit tests of korhost's XML document service.
#include "host/services/domxml.h"
#include "KorBasicTypes/korstring.h"
#include <gtest/gtest.h>

namespace {
/// A document held by one reference, as the host holds its service.
class DomXmlTest : public ::testing::Test {
protected:
  DomXmlTest() : doc_(new HostXmlDocument) {}
  IPtr<IKorDOMXmlElement> element(const KorWChar *tag) {
    return IPtr<IKorDOMXmlElement>(doc_->CreateElement(tag));
  }
  IPtr<HostXmlDocument> doc_;
};
} // namespace

TEST_F(DomXmlTest, SavesDeclarationIndentedTreeAndAttributesInSetOrder) {
  auto root = element(u"root");
  doc_->SetRootElement(root.get());
  root->SetAttribute(u"b", u"1");
  root->SetAttribute(u"a", u"2");
  root->SetAttribute(u"b", u"3"); // keeps its place, takes the new value
  auto child = element(u"child");
  child->SetText(u"text");
  root->AppendChild(child.get());
  root->AppendChild(element(u"empty").get());
  EXPECT_EQ(doc_->saveUtf8(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<root b=\"3\" a=\"2\">\n"
                              "  <child>text</child>\n"
                              "  <empty/>\n"
                              "</root>\n");
  KorString text;
  doc_->SaveToText(text);
  EXPECT_EQ(text.view(), KorString::fromUtf8(doc_->saveUtf8().c_str()).view());
}

TEST_F(DomXmlTest, LibraryEscapesMarkupAndKeepsTextAsGiven) {
  auto root = element(u"r");
  doc_->SetRootElement(root.get());
  root->SetAttribute(u"v", u"<\"&amp;'> é\t");
  root->SetText(u"a<b & \"c\" &amp; ü\u4e2d");
  EXPECT_EQ(doc_->saveUtf8(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<r v=\"&lt;&quot;&amp;amp;'&gt; é&#9;\">"
            "a&lt;b &amp; \"c\" &amp;amp; ü\xe4\xb8\xad</r>\n");
}

TEST_F(DomXmlTest, CharactersXmlCannotCarryBecomeReplacementCharacters) {
  auto root = element(u"r");
  doc_->SetRootElement(root.get());
  const KorWChar text[] = {u'a',   0x01, u'b',   0xD800,
                           u'c',   0xFFFF, 0xD83D, 0xDE00, 0};
  root->SetText(text);
  EXPECT_EQ(doc_->saveUtf8(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<r>a\uFFFDb\uFFFDc\uFFFD\U0001F600</r>\n");
  KorString saved;
  doc_->SaveToText(saved);
  EXPECT_EQ(saved.view(), u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          u"<r>a\uFFFDb\uFFFDc\uFFFD\U0001F600</r>\n");
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

TEST_F(DomXmlTest, SetTextReplacesTheContent) {
  auto root = element(u"r");
  doc_->SetRootElement(root.get());
  auto child = element(u"c");
  root->AppendChild(child.get());
  root->SetText(u"one");
  root->SetText(u"two");
  child->SetText(u"gone with its node"); // inert, must not crash
  EXPECT_EQ(doc_->saveUtf8(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>two</r>\n");
}

TEST_F(DomXmlTest, NewRootReplacesTheTreeAndOldElementsGoInert) {
  auto first = element(u"first");
  doc_->SetRootElement(first.get());
  auto old = element(u"old");
  first->AppendChild(old.get());
  auto second = element(u"second");
  doc_->SetRootElement(second.get());
  old->SetAttribute(u"x", u"1");
  first->AppendChild(old.get());
  second->AppendChild(first.get()); // the freed tree stays out
  EXPECT_EQ(doc_->saveUtf8(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<second/>\n");
}

TEST_F(DomXmlTest, AppendMovesAChildAndRefusesCycles) {
  auto root = element(u"r");
  doc_->SetRootElement(root.get());
  auto a = element(u"a");
  auto b = element(u"b");
  root->AppendChild(a.get());
  root->AppendChild(b.get());
  b->AppendChild(a.get()); // moves a under b
  a->AppendChild(root.get());
  a->AppendChild(a.get());
  EXPECT_EQ(doc_->saveUtf8(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<r>\n  <b>\n    <a/>\n  </b>\n</r>\n");
}

TEST_F(DomXmlTest, InvalidTagNamesGiveNoElement) {
  EXPECT_EQ(doc_->CreateElement(u"two words"), nullptr);
  EXPECT_EQ(doc_->CreateElement(u""), nullptr);
  EXPECT_EQ(doc_->CreateElement(nullptr), nullptr);
}

TEST_F(DomXmlTest, AnEmptyDocumentSavesTheDeclarationOnly) {
  EXPECT_EQ(doc_->saveUtf8(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}
