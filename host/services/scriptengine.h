//===- scriptengine.h - The host's script engine: scripts and options -----===//
//
// Commands describe a script through "IScriptFactory"; korhost reads the
// declarations back from the concrete HostScript to build a subcommand of
// its command line, fills the values in and hands the option set to the
// command's execute.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iptr.h"
#include "component/iscriptfactory.h"
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

/// The three kinds of script option.
enum class ScriptOptionType { Bool, Integer, String };

/// A script option value: bool, 32-bit integer or wide text.
using ScriptValue = std::variant<bool, int32_t, std::u16string>;

/// One declared option in declaration order.
struct ScriptOption {
  std::string name;
  int32_t mode = 1;
  ScriptValue defaultValue;
  ScriptValue value;
  ScriptOptionType type() const {
    return static_cast<ScriptOptionType>(value.index());
  }
};

/// The host's option set: declarations, defaults and current values.
class HostScriptOptions : public IScriptOptions {
public:
  KOR_CLASS(HostScriptOptions, IScriptOptions)
  void SetBool(const char *name, bool value) override;
  void SetInteger(const char *name, int32_t value) override;
  void SetString(const char *name, const KorWChar *value) override;
  void DeclareBool(const char *name, int32_t mode, bool defaultValue) override;
  void DeclareInteger(const char *name, int32_t mode,
                      int32_t defaultValue) override;
  void DeclareString(const char *name, int32_t mode,
                     const KorWChar *defaultValue) override;
  bool GetBool(const char *name) override;
  int32_t GetInteger(const char *name) override;
  void GetString(const KorWChar **out, const char *name) override;

  /// The options in declaration order.
  const std::vector<ScriptOption> &options() const { return options_; }
  /// The option of that name, or null.
  ScriptOption *find(const std::string &name);

private:
  void declare(const char *name, int32_t mode, ScriptValue defaultValue);
  /// Stores a value; an undeclared name is declared with the value's type,
  /// a value of another type than the option's is ignored.
  void set(const char *name, ScriptValue value);

  std::vector<ScriptOption> options_;
};

/// One named script and its option set.
class HostScript : public IScript {
public:
  KOR_CLASS(HostScript, IScript)
  HostScript(std::string name, int32_t mode);
  IScriptOptions *Options() override { return options_.get(); }

  const std::string &name() const { return name_; }
  HostScriptOptions &options() { return *options_.get(); }

private:
  std::string name_;
  int32_t mode_;
  IPtr<HostScriptOptions> options_;
};

/// The host's IScriptFactory.
class HostScriptFactory : public IScriptFactory {
public:
  KOR_CLASS(HostScriptFactory, IScriptFactory)
  IScript *CreateScript(const char *name, int32_t mode) override;
};

/// The text of a value as the command line shows it ("true", "-1", "x").
std::string scriptValueText(const ScriptValue &value);
