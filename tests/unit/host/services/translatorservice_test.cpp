//===- translatorservice_test.cpp - korhost's catalogue translations ------===//
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/strtestsupport.h"
#include "host/services/translatorservice.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(HostCatalogueTest, ReadsEntriesAndSkipsComments) {
  HostCatalogueTranslator catalogue;
  EXPECT_EQ(catalogue.loadText("# comment\n"
                               "; another\n"
                               "[German]\n"
                               "\n"
                               "Run Programmer Tests = Programmiertests starten\n"
                               "  Error: %1 = Fehler: %1  \r\n"
                               "Untranslated =\n"),
            0);
  EXPECT_EQ(catalogue.size(), 2u);
  EXPECT_TRUE(catalogue.HasTranslations());
  KorString out;
  EXPECT_TRUE(catalogue.LookUp("Error: %1", out));
  EXPECT_EQ(out, u"Fehler: %1");
  EXPECT_FALSE(catalogue.LookUp("Untranslated", out));
  EXPECT_EQ(out, u"Untranslated");
}

TEST(HostCatalogueTest, DecodesEscapes) {
  EXPECT_EQ(unescapeCatalogueText("a\\nb\\tc\\sd\\\\e\\=f\\#"),
            "a\nb\tc d\\e=f#");
  HostCatalogueTranslator catalogue;
  EXPECT_EQ(catalogue.loadText(
                "Stopped after %1 of %2 warnings.\\n = Nach %1 von %2 "
                "Warnungen angehalten.\\n\n"
                "a\\=b = \\s\\u00e4\\s\n"
                "\\#tag = Marke\n"),
            0);
  KorString out;
  EXPECT_TRUE(catalogue.LookUp("Stopped after %1 of %2 warnings.\n", out));
  EXPECT_EQ(out, u"Nach %1 von %2 Warnungen angehalten.\n");
  EXPECT_TRUE(catalogue.LookUp("a=b", out));
  EXPECT_EQ(out, u" u00e4 ");
  EXPECT_TRUE(catalogue.LookUp("#tag", out));
}

TEST(HostCatalogueTest, ReportsTheFirstBadLine) {
  HostCatalogueTranslator catalogue;
  EXPECT_EQ(catalogue.loadText("ok = fine\nno separator\n = no key\n"), 2);
  try {
    catalogue.loadFile("/nonexistent/catalogue.txt");
    FAIL() << "no error";
  } catch (const HostError &e) {
    EXPECT_EQ(e.message, "cannot read message catalogue "
                         "/nonexistent/catalogue.txt");
  }
}

TEST(HostCatalogueTest, TranslatesThroughTheComponentHelpers) {
  ScopedServiceHost host;
  auto *catalogue = new HostCatalogueTranslator;
  catalogue->loadText("Unable to load component with id %1 = "
                      "Komponente %1 nicht ladbar (\xC3\xA4\xF0\x9F\x98\x80)\n");
  host.offer("IKorTranslatorService", new HostTranslatorService(catalogue));
  EXPECT_EQ(korTranslate("Unable to load component with id %1", "{42}"),
            u"Komponente {42} nicht ladbar (\u00E4\U0001F600)");
  EXPECT_EQ(korTranslate("Unknown %1", "x"), u"Unknown x");
}

/// The service entry korhost creates at start-up.
IKorUnknown *makeService(const char *name, const HostOptions &options) {
  for (const HostServiceEntry &entry : hostServiceTable())
    if (entry.name == name)
      return entry.make(options);
  return nullptr;
}

TEST(HostCatalogueTest, ServiceIsOfferedOnlyWithACatalogue) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("korcatalogue-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "de.txt") << "Write IKorMesh = IKorMesh schreiben\n";

  ScopedServiceHost host;
  auto *settings = new HostSettingsStore;
  host.offer("IDataStore", settings);
  HostOptions options;
  options.configFile = (dir / "korhost.ini").string();
  EXPECT_EQ(makeService("IKorTranslatorService", options), nullptr);

  settings->set("Translation/Catalogue", "de.txt");
  IKorUnknown *made = makeService("IKorTranslatorService", options);
  ASSERT_NE(made, nullptr);
  host.offer("IKorTranslatorService", made);
  EXPECT_EQ(korTranslate("Write IKorMesh"), u"IKorMesh schreiben");

  settings->set("Translation/Catalogue", (dir / "missing.txt").string());
  EXPECT_THROW(makeService("IKorTranslatorService", options), HostError);
  std::filesystem::remove_all(dir);
}

} // namespace
