// The registry of formatters and routers: what each entry creates, the
// order, lookups by class name and the names as one text.
#include "results/resultsregistry.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
template <class Interface>
std::vector<std::string> createdNames(const KorResultsRegistry<Interface> &r) {
  std::vector<std::string> names;
  for (const auto &entry : r.entries()) {
    IPtr<Interface> created = entry.create();
    EXPECT_EQ(created->RefCount(), 1u) << entry.className;
    EXPECT_STREQ(created->ClassName(), entry.className);
    names.push_back(entry.className);
  }
  return names;
}
} // namespace

TEST(ResultsRegistry, EntriesCreateTheirClassInOfferOrder) {
  EXPECT_EQ(createdNames(korResultsFormatters()),
            (std::vector<std::string>{"GenVisualStudioResultsFormatter",
                                      "GenXmlResultsFormatter",
                                      "GenJUnitResultsFormatter"}));
  EXPECT_EQ(createdNames(korResultsRouters()),
            (std::vector<std::string>{
                "GenDebugStreamResultsRouter", "GenStdStreamsResultsRouter",
                "GenLogServiceResultsRouter", "GenFileResultsRouter"}));
}

TEST(ResultsRegistry, FindsPositionsByExactClassName) {
  struct Case {
    const char *name;
    int32_t formatter, router;
  };
  const Case cases[] = {
      {"GenVisualStudioResultsFormatter", 0, -1},
      {"GenJUnitResultsFormatter", 2, -1},
      {"GenFileResultsRouter", -1, 3},
      {"genfileresultsrouter", -1, -1},
      {"GenFileResultsRouter ", -1, -1},
      {"", -1, -1},
      {nullptr, -1, -1},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(korResultsFormatters().position(c.name), c.formatter)
        << (c.name ? c.name : "null");
    EXPECT_EQ(korResultsRouters().position(c.name), c.router)
        << (c.name ? c.name : "null");
  }
}

TEST(ResultsRegistry, NameListJoinsWithCommasAndOr) {
  EXPECT_EQ(korResultsFormatters().nameList(),
            "GenVisualStudioResultsFormatter, GenXmlResultsFormatter or "
            "GenJUnitResultsFormatter");
  using Registry = KorResultsRegistry<IKorTestResultsRouter>;
  const Registry::Entry one[] = {{"A", nullptr}};
  const Registry::Entry two[] = {{"A", nullptr}, {"B", nullptr}};
  EXPECT_EQ(Registry(one).nameList(), "A");
  EXPECT_EQ(Registry(two).nameList(), "A or B");
  EXPECT_EQ(Registry({}).nameList(), "");
}
