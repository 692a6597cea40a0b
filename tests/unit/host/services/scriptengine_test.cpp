// Unit tests of korhost's script engine: declarations, defaults and values.
#include "host/services/scriptengine.h"
#include <gtest/gtest.h>

TEST(ScriptEngine, DeclaredOptionsKeepOrderTypesAndDefaults) {
  HostScriptFactory factory;
  IPtr<IScript> script(factory.CreateScript("run_me", 1));
  ASSERT_TRUE(script);
  IScriptOptions *options = script->Options();
  options->DeclareString("name", 1, u"");
  options->DeclareBool("flag", 1, false);
  options->DeclareInteger("seed", 1, -1);

  IPtr<HostScript> host(script.get());
  ASSERT_TRUE(host);
  EXPECT_EQ(host->name(), "run_me");
  const auto &declared = host->options().options();
  ASSERT_EQ(declared.size(), 3u);
  EXPECT_EQ(declared[0].name, "name");
  EXPECT_EQ(declared[0].type(), ScriptOptionType::String);
  EXPECT_EQ(declared[1].type(), ScriptOptionType::Bool);
  EXPECT_EQ(declared[2].type(), ScriptOptionType::Integer);
  EXPECT_EQ(scriptValueText(declared[2].defaultValue), "-1");

  EXPECT_EQ(options->GetInteger("seed"), -1);
  EXPECT_FALSE(options->GetBool("flag"));
  const KorWChar *text = nullptr;
  options->GetString(&text, "name");
  EXPECT_EQ(std::u16string(text), u"");
}

TEST(ScriptEngine, ValuesReplaceDefaultsOnlyWithTheirOwnType) {
  HostScriptOptions options;
  options.DeclareInteger("seed", 1, -1);
  options.DeclareString("file", 1, u"a.txt");
  options.SetInteger("seed", 7);
  options.SetBool("seed", true); // wrong type: ignored
  options.SetString("file", u"b.xml");
  EXPECT_EQ(options.GetInteger("seed"), 7);
  const KorWChar *text = nullptr;
  options.GetString(&text, "file");
  EXPECT_EQ(std::u16string(text), u"b.xml");
  EXPECT_EQ(scriptValueText(options.find("file")->defaultValue), "a.txt");
  // Reading with the wrong type, or an unknown name, gives the zero value.
  EXPECT_EQ(options.GetInteger("file"), 0);
  options.GetString(&text, "missing");
  EXPECT_EQ(std::u16string(text), u"");
}

TEST(ScriptEngine, SettingAnUndeclaredNameDeclaresIt) {
  HostScriptOptions options;
  options.SetBool("randomize", true);
  ASSERT_NE(options.find("randomize"), nullptr);
  EXPECT_TRUE(options.GetBool("randomize"));
  EXPECT_EQ(options.find("randomize")->type(), ScriptOptionType::Bool);
}
