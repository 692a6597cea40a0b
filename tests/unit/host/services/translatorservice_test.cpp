//===- translatorservice_test.cpp - korhost's catalogue translations ------===//
// (catalogue.sh checks a bad line and a missing catalogue end to end.)
#include "host/services/translatorservice.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>

namespace {
/// One catalogue line and what it gives: the key looked up and its text,
/// or no text when the line makes no entry.
struct EntryCase {
  const char *line, *key;
  const char16_t *text;
};

TEST(HostCatalogueTest, EachLineReadsAsItsEntry) {
  const EntryCase cases[] = {
      {"Run Programmer Tests = Programmiertests starten",
       "Run Programmer Tests", u"Programmiertests starten"},
      {"  Error: %1 = Fehler: %1 = 1  \r", "Error: %1", u"Fehler: %1 = 1"},
      {"Stopped.\\n = Angehalten.\\n", "Stopped.\n", u"Angehalten.\n"},
      {"a\\=b = \\s\\u00e4\\t", "a=b", u" u00e4\t"},
      {"\\#tag = \\;x\\\\ \\", "#tag", u";x\\ \\"},
      {"k = \xC3\xA4\xF0\x9F\x98\x80", "k", u"\u00E4\U0001F600"},
      {"Untranslated =", "Untranslated", nullptr},
      {"# note = no", "# note", nullptr},
      {"; note = no", "; note", nullptr},
      {"[German = Deutsch]", "[German", nullptr},
  };
  for (const EntryCase &c : cases) {
    HostCatalogueTranslator catalogue;
    EXPECT_EQ(catalogue.loadText(c.line), 0) << c.line;
    KorString out;
    EXPECT_EQ(catalogue.LookUp(c.key, out), c.text != nullptr) << c.line;
    EXPECT_EQ(out, c.text ? KorString(c.text) : KorString::fromUtf8(c.key))
        << c.line;
  }
}

TEST(HostCatalogueTest, TranslatesThroughTheComponentHelpers) {
  ScopedServiceHost host;
  auto *catalogue = new HostCatalogueTranslator;
  catalogue->loadText("Unable to load component with id %1 = "
                      "Komponente %1 nicht ladbar\n");
  host.offer("IKorTranslatorService", new HostTranslatorService(catalogue));
  EXPECT_EQ(korTranslate("Unable to load component with id %1", "{42}"),
            u"Komponente {42} nicht ladbar");
  EXPECT_EQ(korTranslate("Unknown %1", "x"), u"Unknown x");
}
} // namespace
