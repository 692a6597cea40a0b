//===- scriptengine.cpp - The host's script engine: scripts and options ---===//
#include "host/services/scriptengine.h"
#include "host/services/hostservices.h"
#include "host/services/hostutf.h"

ScriptOption *HostScriptOptions::find(const std::string &name) {
  for (ScriptOption &option : options_)
    if (option.name == name)
      return &option;
  return nullptr;
}

void HostScriptOptions::declare(const char *name, int32_t mode,
                                ScriptValue defaultValue) {
  if (!name)
    return;
  ScriptOption *option = find(name);
  if (!option)
    option = &options_.emplace_back();
  option->name = name;
  option->mode = mode;
  option->defaultValue = defaultValue;
  option->value = std::move(defaultValue);
}

void HostScriptOptions::set(const char *name, ScriptValue value) {
  if (!name)
    return;
  ScriptOption *option = find(name);
  if (!option) {
    declare(name, 1, std::move(value));
    return;
  }
  if (option->value.index() == value.index())
    option->value = std::move(value);
}

void HostScriptOptions::SetBool(const char *name, bool value) {
  set(name, value);
}
void HostScriptOptions::SetInteger(const char *name, int32_t value) {
  set(name, value);
}
void HostScriptOptions::SetString(const char *name, const KorWChar *value) {
  set(name, std::u16string(value ? value : u""));
}

void HostScriptOptions::DeclareBool(const char *name, int32_t mode,
                                    bool defaultValue) {
  declare(name, mode, defaultValue);
}
void HostScriptOptions::DeclareInteger(const char *name, int32_t mode,
                                       int32_t defaultValue) {
  declare(name, mode, defaultValue);
}
void HostScriptOptions::DeclareString(const char *name, int32_t mode,
                                      const KorWChar *defaultValue) {
  declare(name, mode, std::u16string(defaultValue ? defaultValue : u""));
}

bool HostScriptOptions::GetBool(const char *name) {
  ScriptOption *option = name ? find(name) : nullptr;
  const bool *value = option ? std::get_if<bool>(&option->value) : nullptr;
  return value && *value;
}

int32_t HostScriptOptions::GetInteger(const char *name) {
  ScriptOption *option = name ? find(name) : nullptr;
  const int32_t *value =
      option ? std::get_if<int32_t>(&option->value) : nullptr;
  return value ? *value : 0;
}

void HostScriptOptions::GetString(const KorWChar **out, const char *name) {
  ScriptOption *option = name ? find(name) : nullptr;
  const std::u16string *value =
      option ? std::get_if<std::u16string>(&option->value) : nullptr;
  *out = value ? value->c_str() : u"";
}

HostScript::HostScript(std::string name, int32_t mode)
    : name_(std::move(name)), mode_(mode), options_(new HostScriptOptions) {}

IScript *HostScriptFactory::CreateScript(const char *name, int32_t mode) {
  return new HostScript(name ? name : "", mode);
}

std::string scriptValueText(const ScriptValue &value) {
  if (const bool *flag = std::get_if<bool>(&value))
    return *flag ? "true" : "false";
  if (const int32_t *number = std::get_if<int32_t>(&value))
    return std::to_string(*number);
  return hostToUtf8(std::get<std::u16string>(value).c_str());
}

KORHOST_SERVICE("IScriptFactory",
                [](const HostOptions &) { return new HostScriptFactory; });
