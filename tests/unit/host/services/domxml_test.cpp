// Unit tests of korhost's XML document service (formatters_test compares
// whole reports written through it).
#include "host/services/domxml.h"
#include "KorBasicTypes/korstring.h"
#include <gtest/gtest.h>
#include <libxml/tree.h>
#include <random>
#include <unicode/ustring.h>

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

TEST_F(DomXmlTest, SavesTheSameTextInBothForms) {
  auto root = makeRoot(u"root");
  root->SetAttribute(u"b", u"1");
  root->SetAttribute(u"a", u"\u00e9\U0001F600");
  root->SetAttribute(u"b", u"3"); // keeps its place, takes the new value
  root->AppendChild(element(u"empty").get());
  const std::string saved = kDeclaration +
                            "<root b=\"3\" a=\"\u00e9\U0001F600\">\n"
                            "  <empty/>\n</root>\n";
  EXPECT_EQ(doc_->saveUtf8(), saved);
  KorString savedText;
  doc_->SaveToText(savedText);
  EXPECT_EQ(savedText.view(), u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              u"<root b=\"3\" a=\"\u00e9\U0001F600\">\n"
                              u"  <empty/>\n</root>\n");
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

/// libxml2's tree and writer, the reference the document's own writer is
/// checked against: random trees built through both must save the same.
class LibXmlReference {
public:
  LibXmlReference() : doc_(xmlNewDoc(BAD_CAST "1.0")) {}
  ~LibXmlReference() { xmlFreeDoc(doc_); }
  static std::string utf8(const KorWChar *text) {
    XmlText clean = xmlCleanText(text);
    std::string out(clean.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(out.data(), int32_t(out.size()), &length, clean.data(),
                int32_t(clean.size()), &status);
    out.resize(size_t(length));
    return out;
  }
  xmlNodePtr element(const KorWChar *tag) {
    return xmlNewDocNode(doc_, nullptr, BAD_CAST utf8(tag).c_str(), nullptr);
  }
  static void setText(xmlNodePtr node, const KorWChar *text) {
    while (node->children) {
      xmlNodePtr child = node->children;
      xmlUnlinkNode(child);
      xmlFreeNode(child);
    }
    std::string content = utf8(text);
    if (!content.empty())
      xmlNodeAddContentLen(node, BAD_CAST content.c_str(), int(content.size()));
  }
  std::string save(xmlNodePtr root) {
    xmlDocSetRootElement(doc_, root);
    xmlChar *text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc_, &text, &size, "UTF-8", 1);
    std::string saved(reinterpret_cast<char *>(text), size_t(size));
    xmlFree(text);
    return saved;
  }

private:
  xmlDocPtr doc_;
};

TEST_F(DomXmlTest, SavesWhatLibxml2SavesForTheSameTree) {
  std::mt19937 random(11);
  const std::u16string units[] = {u"a",  u"<",  u">",      u"&",  u"\"",
                                  u"'",  u"\r", u"\n",     u"\t", u"\u00e9",
                                  u"中", u" ",  u"\U0001F600", u"\x01",
                                  std::u16string(1, char16_t(0xD800)),
                                  u"\uFFFE"};
  auto text = [&] {
    std::u16string out;
    for (unsigned n = random() % 6; n > 0; --n)
      out += units[random() % std::size(units)];
    return out;
  };
  const KorWChar *tags[] = {u"a", u"suite", u"t\u00e9st"};
  const KorWChar *names[] = {u"name", u"time", u"x"};
  using Pair = std::pair<IPtr<IKorDOMXmlElement>, xmlNodePtr>;
  for (int round = 0; round < 300; ++round) {
    LibXmlReference reference;
    bool chain = round % 10 == 0; // deeper than the indentation goes
    auto build = [&](auto &self, int depth) -> Pair {
      const KorWChar *tag = tags[random() % std::size(tags)];
      Pair made{element(tag), reference.element(tag)};
      for (unsigned n = random() % 4; n > 0; --n) {
        const KorWChar *name = names[random() % std::size(names)];
        std::u16string value = text();
        made.first->SetAttribute(name, value.c_str());
        xmlSetProp(made.second, BAD_CAST LibXmlReference::utf8(name).c_str(),
                   BAD_CAST LibXmlReference::utf8(value.c_str()).c_str());
      }
      if (!chain && random() % 4 == 0) {
        std::u16string content = text();
        made.first->SetText(content.c_str());
        LibXmlReference::setText(made.second, content.c_str());
      }
      unsigned children = chain ? (depth < 34) : depth < 4 ? random() % 4 : 0;
      for (; children > 0; --children) {
        Pair child = self(self, depth + 1);
        made.first->AppendChild(child.first.get());
        xmlAddChild(made.second, child.second);
      }
      return made;
    };
    Pair root = build(build, 0);
    doc_->SetRootElement(root.first.get());
    ASSERT_EQ(doc_->saveUtf8(), reference.save(root.second)) << round;
  }
}

} // namespace
