//===- translatorservice_test.cpp - korhost's catalogue translations ------===//
// (catalogue.sh checks a bad line and a missing catalogue end to end.)
#include "host/services/translatorservice.h"
#include "tests/unit/support/strtestsupport.h"
#include <gtest/gtest.h>

namespace {
TEST(HostCatalogueTest, EachLineReadsAsItsEntry) {
  // One catalogue line, the key looked up and its text, or no text when the
  // line makes no entry.
  const std::tuple<const char *, const char *, const char16_t *> cases[] = {
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
      {"\xEF\xBB\xBFStop = Halt", "Stop", u"Halt"}, // a byte-order mark
      {"\xEF\xBB\xBF# note = no", "# note", nullptr},
  };
  for (auto [line, key, text] : cases) {
    HostCatalogueTranslator catalogue;
    KorString out;
    EXPECT_EQ(catalogue.loadText(line), 0) << line;
    EXPECT_EQ(catalogue.LookUp(key, out), text != nullptr) << line;
    EXPECT_EQ(out, text ? KorString(text) : KorString::fromUtf8(key)) << line;
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
