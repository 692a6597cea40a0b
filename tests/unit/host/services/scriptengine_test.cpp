// Unit tests of korhost's script options: values keep their declared type.
#include "host/services/scriptengine.h"
#include <gtest/gtest.h>

namespace {
TEST(ScriptEngine, ValuesKeepTheTypeTheirOptionWasDeclaredWith) {
  HostScriptOptions options;
  auto text = [&](const char *name) {
    const KorWChar *value = nullptr;
    options.GetString(&value, name);
    return std::u16string(value);
  };
  options.DeclareInteger("seed", 1, -1);
  options.DeclareString("file", 1, u"a.txt");
  EXPECT_EQ(options.GetInteger("seed"), -1);
  options.SetInteger("seed", 7);
  options.SetBool("seed", true); // another type: ignored
  options.SetString("file", u"b.xml");
  EXPECT_EQ(options.GetInteger("seed"), 7);
  EXPECT_EQ(text("file"), u"b.xml");
  // Reading with another type, or an unknown name, gives the zero value.
  EXPECT_TRUE(options.GetInteger("file") == 0 && !options.GetBool("seed"));
  EXPECT_EQ(text("missing"), u"");
  options.SetBool("randomize", true); // an undeclared name is declared
  ASSERT_NE(options.find("randomize"), nullptr);
  EXPECT_EQ(options.find("randomize")->type(), ScriptOptionType::Bool);
  EXPECT_TRUE(options.GetBool("randomize"));
}
} // namespace
