//===- scriptcommand.cpp - One korhost subcommand per offered script ------===//
#include "host/cli/scriptcommand.h"
#include "host/cli/int32text.h"
#include "component/ikorscripthelp.h"
#include "host/services/hostutf.h"
#include "host/services/queryserver.h"

namespace {
/// The host's query server as its concrete class, or empty.
IPtr<HostQueryServer> hostQueryServer() {
  SPtr<IKorQueryServer> server;
  return IPtr<HostQueryServer>(server.get());
}

const CLI::Validator kInt32Check(
    [](std::string &text) {
      int32_t value = 0;
      return parseInt32(text, value) ? std::string()
                                     : "not a 32-bit integer: " + text;
    },
    "");

/// What the command says the option does, then its type and default:
/// "<help> (string, default empty)"; "string option, default empty" when
/// the command gives no help for it.
std::string describeOption(const OfferedScript &script,
                           const ScriptOption &option) {
  static const char *const types[] = {"bool", "integer", "string"};
  std::string type = types[static_cast<int>(option.type())];
  std::string value = scriptValueText(option.defaultValue);
  std::string byDefault = "default " + (value.empty() ? "empty" : value);
  IPtr<IKorScriptHelp> help(script.command.get());
  const char *text =
      help ? help->OptionHelp(script.name().c_str(), option.name.c_str())
           : nullptr;
  if (!text)
    return type + " option, " + byDefault;
  return std::string(text) + " (" + type + ", " + byDefault + ")";
}
} // namespace

ScriptSubcommands::ScriptSubcommands(CLI::App &cli,
                                     std::vector<OfferedScript> &scripts) {
  for (OfferedScript &script : scripts)
    addSubcommand(cli, script);
}

void ScriptSubcommands::addSubcommand(CLI::App &cli, OfferedScript &script) {
  Subcommand &sub = subcommands_.emplace_back();
  sub.script = &script;
  sub.app = cli.add_subcommand(script.name(), "script of " + script.className +
                                                  " (component " +
                                                  script.component + ")");
  for (const ScriptOption &option : script.script->options().options())
    bind(sub, option);
  if (script.name() == kTestScriptName) {
    sub.scope.addTo(*sub.app);
    sub.app->footer(kExitStatusHelp);
  }
}

void ScriptSubcommands::bind(Subcommand &sub, const ScriptOption &option) {
  Binding &binding = sub.bindings.emplace_back();
  binding.name = option.name;
  binding.type = option.type();
  std::string flagName = "--" + option.name;
  std::string help = describeOption(*sub.script, option);
  switch (binding.type) {
  case ScriptOptionType::Bool:
    binding.option = sub.app->add_flag(flagName, binding.flag, help);
    break;
  case ScriptOptionType::Integer:
    binding.option = sub.app->add_option(flagName, binding.text, help)
                         ->check(kInt32Check)
                         ->type_name("INT32");
    break;
  case ScriptOptionType::String:
    binding.option =
        sub.app->add_option(flagName, binding.text, help)->type_name("TEXT");
    break;
  }
}

bool ScriptSubcommands::chosen() const {
  for (const Subcommand &sub : subcommands_)
    if (sub.app->parsed())
      return true;
  return false;
}

void ScriptSubcommands::applyValues(Subcommand &sub) {
  HostScriptOptions &values = sub.script->script->options();
  for (const Binding &binding : sub.bindings) {
    if (binding.option->count() == 0)
      continue;
    const char *name = binding.name.c_str();
    int32_t number = 0;
    switch (binding.type) {
    case ScriptOptionType::Bool:
      values.SetBool(name, binding.flag);
      break;
    case ScriptOptionType::Integer:
      if (parseInt32(binding.text, number))
        values.SetInteger(name, number);
      break;
    case ScriptOptionType::String:
      values.SetString(name, hostToUtf16(binding.text).c_str());
      break;
    }
  }
}

int ScriptSubcommands::run(FILE *out, FILE *errors) {
  for (Subcommand &sub : subcommands_) {
    if (!sub.app->parsed())
      continue;
    if (!sub.scope.apply(errors))
      return kExitUsage;
    applyValues(sub);
    sub.scope.applyReportDefault(sub.script->script->options());
    if (IPtr<HostQueryServer> server = hostQueryServer())
      server->clear();
    bool executed =
        sub.script->command->Execute(&sub.script->script->options());
    std::fflush(stdout);
    int status = reportTestCounts(
        out, sub.script->script->options().GetBool("randomize"));
    if (!executed) {
      std::fprintf(errors, "korhost: script %s failed\n",
                   sub.script->name().c_str());
      return kExitNotCarriedOut;
    }
    return status;
  }
  return kExitUsage;
}

int reportTestCounts(FILE *out, bool randomized) {
  IPtr<HostQueryServer> server = hostQueryServer();
  std::optional<RunOutcome> outcome =
      server ? readRunOutcome(*server) : std::nullopt;
  if (!outcome)
    return kExitPassed;
  auto seed = server->record(kTestSeedRecord);
  if (randomized && seed && !seed->empty())
    std::fprintf(out, "random seed %u\n", static_cast<uint32_t>((*seed)[0]));
  std::fprintf(out, "%s\n", outcome->closingLine().c_str());
  std::fflush(out);
  return outcome->exitStatus();
}
