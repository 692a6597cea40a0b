//===- kortesttable.h - Tests made from a table of cases ------------------===//
//
// A data-driven test runs one body over the rows of a table. Each case of
// the table becomes a test of its own in the suite and in the component's
// test registry, with its own description, enabled flag and reason, and the
// file and line where the case was added as its declaration; the runner,
// the listing, name selection, shards and CTest discovery see every case
// as an ordinary test.
//
//   struct Conversion { const char *text; int value; };
//
//   KorTestTable<Conversion> conversions() {
//     return KorTestTable<Conversion>()
//         .add("Reads 12", {"12", 12})
//         .add("Reads -7", {"-7", -7})
//         .addDisabled("Reads 0x10", {"0x10", 16}, "Hexadecimal not read yet");
//   }
//
//   class NumberSuite : public KorTestSuiteBase {
//     KOR_TEST_SUITE(NumberSuite, "Number Suite")
//     KOR_TEST_TABLE(ReadsNumberTest, "PARSE", Conversion, conversions()) {
//       TEST_ASSERT_EQUALS(readNumber(row.text), row.value);
//     }
//   };
//
// The table expression is evaluated when the suite is created (when the
// host hands over its manager), so a function may build the table in a
// loop or from data it reads; cases added in a loop share the loop's line.
// The body sees the case's row as `row`, the suite as SUITE_VAR, and uses
// the statements of kortestmacros.h. Give every case of a suite its own
// description: the full name "Suite.Description" selects a test.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/kortestdecl.h"
#include <string>
#include <utility>
#include <vector>

/// The file and line of a call. Taken with __builtin_FILE and
/// __builtin_LINE, which compilers that lack std::source_location (clang
/// before 15) have too.
struct KorSourcePlace {
  const char *file;
  int line;
};

/// One case of a table: what it is called, its row, why it is disabled
/// (empty when enabled) and where it was added.
template <class Row> struct KorTestCase {
  std::string description;
  Row row;
  std::string disabledReason;
  KorSourcePlace where;
};

/// The cases of a data-driven test, in the order they were added.
template <class Row> class KorTestTable {
public:
  /// Adds an enabled case; its declaration is the line of this call.
  KorTestTable &add(std::string description, Row row,
                    const char *file = __builtin_FILE(),
                    int line = __builtin_LINE()) {
    cases_.push_back(
        {std::move(description), std::move(row), {}, {file, line}});
    return *this;
  }
  /// Adds a case that is listed but not run, with the reason (not empty).
  KorTestTable &addDisabled(std::string description, Row row,
                            std::string reason,
                            const char *file = __builtin_FILE(),
                            int line = __builtin_LINE()) {
    cases_.push_back({std::move(description), std::move(row),
                      std::move(reason), {file, line}});
    return *this;
  }
  const std::vector<KorTestCase<Row>> &cases() const { return cases_; }

private:
  std::vector<KorTestCase<Row>> cases_;
};

/// The answers every case of a table gives from its KorTestCase.
class KorTableCaseBase : public KorTestBase {
public:
  KorTableCaseBase(std::string description, std::string disabledReason,
                   const KorSourcePlace &where);

  KorCString &Description(KorCString &out) override;
  bool Enabled() override { return disabledReason_.empty(); }
  const char *DisabledReason() override { return disabledReason_.c_str(); }
  const char *SourceFile() override { return file_; }
  int DeclarationLine() override { return line_; }

private:
  std::string description_;
  std::string disabledReason_;
  const char *file_;
  int line_;
};

/// One case of a table with its row; KOR_TEST_TABLE derives the test.
template <class Row> class KorTableCase : public KorTableCaseBase {
public:
  explicit KorTableCase(const KorTestCase<Row> &c)
      : KorTableCaseBase(c.description, c.disabledReason, c.where),
        row_(c.row) {}
  const Row &row() const { return row_; }

private:
  Row row_;
};

/// Adds one test of class Test per case of table to suite, in order.
template <class Test, class Row>
void korAddTableTests(IKorTestSuite &suite, const KorTestTable<Row> &table) {
  for (const KorTestCase<Row> &c : table.cases())
    korAddTest(suite, new Test(c));
}

/// Declares a data-driven test inside a suite: its class name, the category
/// list of every case, the row type and an expression giving the
/// KorTestTable. The body follows and sees the case's row as `row`.
#define KOR_TEST_TABLE(Name, Categories_, Row, ...)                            \
  template <class S> class Name : public KorTableCase<Row> {                   \
  public:                                                                      \
    KOR_CLASS_DERIVED(Name, KorTestBase, IKorTest)                             \
    using KorTableCase<Row>::KorTableCase;                                     \
    const char *Categories() override { return Categories_; }                  \
    void Run(IKorTestStatus *status) override {                                \
      korRunTest(this, status, [](KorTestBase *test, IKorTestStatus *run) {    \
        S::kor_body_##Name(korSuiteOf<S>(test),                                \
                           static_cast<Name *>(test)->row(), test, run);       \
      });                                                                      \
    }                                                                          \
  };                                                                           \
  static void kor_create_##Name(IKorTestSuite &suite) {                        \
    korAddTableTests<Name<KorSuiteSelf>>(suite, __VA_ARGS__);                  \
  }                                                                            \
  static inline const bool kor_declared_##Name =                               \
      korDeclareTest<KorSuiteSelf>(&kor_create_##Name);                        \
  static void kor_body_##Name([[maybe_unused]] KorSuiteSelf *kor_suite_,       \
                              [[maybe_unused]] const Row &row,                 \
                              [[maybe_unused]] KorTestBase *kor_test_,         \
                              [[maybe_unused]] IKorTestStatus *kor_status_)
