// The registry of formatters and routers: lookups by exact class name and
// the names as one text (each entry's class is created by the formatter and
// router contract tests).
#include "results/resultsregistry.h"
#include <gtest/gtest.h>

TEST(ResultsRegistry, FindsPositionsByExactClassName) {
  const std::tuple<const char *, int32_t, int32_t> cases[] = {
      {"GenJUnitResultsFormatter", 2, -1}, {"GenFileResultsRouter", -1, 3},
      {"genfileresultsrouter", -1, -1},    {"GenFileResultsRouter ", -1, -1},
      {nullptr, -1, -1}};
  for (auto [name, formatter, router] : cases) {
    EXPECT_EQ(std::pair(korResultsFormatters().position(name),
                        korResultsRouters().position(name)),
              std::pair(formatter, router));
  }
}

TEST(ResultsRegistry, NameListJoinsWithCommasAndOr) {
  using Registry = KorResultsRegistry<IKorTestResultsRouter>;
  const Registry::Entry entries[] = {{"A", nullptr}, {"B", nullptr}, {"C", nullptr}};
  const std::pair<size_t, const char *> cases[] = {
      {0, ""}, {1, "A"}, {2, "A or B"}, {3, "A, B or C"}};
  for (auto [count, text] : cases)
    EXPECT_EQ(Registry(std::span(entries, count)).nameList(), text);
}
