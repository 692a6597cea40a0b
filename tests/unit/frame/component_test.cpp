// Unit tests of the component frame: the entry point without an out
// parameter, the break flag, and registration without a test sink.
#include "frame/korbasecomponent.h"
#include "frame/korbreakflag.h"
#include "frame/korcomponentdef.h"
#include "tests/unit/support/hostfixture.h"

TEST(EntryPoint, NullComponentOutReturnsZeroAndWritesNothing) {
  uint32_t version = 7;
  EXPECT_EQ(korEntryPoint(&version, nullptr), 0);
  EXPECT_EQ(version, 7u);
}

// KOR_BREAK_ENABLED: only exactly "0" turns breaking off.
TEST(BreakFlag, OnlyExactlyZeroClearsIt) {
  for (const char *value : {(const char *)nullptr, "00", "yes", ""})
    EXPECT_TRUE(korParseBreakEnabled(value)) << (value ? value : "(unset)");
  EXPECT_FALSE(korParseBreakEnabled("0"));
}

class RegisterTestsTest : public HostManagerTest {};

TEST_F(RegisterTestsTest, NullSinkReportsUnableToGetTestService) {
  TestComponent component;
  component.RegisterTests(nullptr);
  ASSERT_GE(errors_->reports.size(), 1u);
  EXPECT_EQ(errors_->reports[0].message, u"Unable to get test service");
  EXPECT_EQ(errors_->reports[0].severity, 1);
  EXPECT_EQ(errors_->reports[0].source, "");
}
