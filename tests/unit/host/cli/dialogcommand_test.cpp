// Unit tests of `korhost dialog`: the receiver a command's dialog talks
// to, and the exits without a display or without the command.
#include "commands/compbasecmd.h"
#include "host/cli/dialogcommand.h"
#include "tests/unit/support/hostfixture.h"
#include "component/iptr.h"
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

namespace {
/// A command that answers only what the command base answers.
class ButtonCountingCmd : public CompBaseCmd {
public:
  void OnButton(int32_t widget, int32_t) override { lastButton = widget; }
  int32_t lastButton = -1;
};

/// Sets (or unsets, with nullopt) environment variables for one test.
class ScopedEnvironment {
public:
  void set(const char *name, std::optional<std::string> value) {
    if (!saved_.count(name)) {
      const char *old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    apply(name, value);
  }
  ~ScopedEnvironment() {
    for (const auto &[name, value] : saved_)
      apply(name.c_str(), value);
  }

private:
  static void apply(const char *name, const std::optional<std::string> &value) {
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

std::string readAll(FILE *file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;)
    text += char(c);
  return text;
}

class DialogCommandTest : public HostManagerTest {
protected:
  /// Runs `korhost dialog` for `title`; the exit status, errors in errors_.
  int runDialog(const std::string &title) {
    FILE *out = std::tmpfile();
    FILE *errors = std::tmpfile();
    DialogRequest request;
    request.title = title;
    int status = runDialogCommand(*manager_, request, out, errors);
    printed = readAll(out);
    complaint = readAll(errors);
    std::fclose(out);
    std::fclose(errors);
    return status;
  }
  ScopedEnvironment environment;
  std::string printed, complaint;
};
} // namespace

TEST(DialogReceiver, ACommandBaseReceivesAsItsOwnCommandInterface) {
  IPtr<ButtonCountingCmd> command(new ButtonCountingCmd);
  IGuiReceiver *receiver = dialogReceiverOf(*command);
  ASSERT_EQ(receiver, static_cast<IGuiReceiver *>(command.get()));
  receiver->OnButton(5, 1);
  EXPECT_EQ(command->lastButton, 5);
}

TEST_F(DialogCommandTest, WithoutADisplayOneLineAndStatusOne) {
  for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.set(name, std::nullopt);
  environment.set("DISPLAY", ""); // empty counts as unset
  EXPECT_EQ(runDialog("Run Programmer Tests"), 1);
  EXPECT_EQ(complaint, "korhost: no display for the dialog: set DISPLAY or "
                       "WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen\n");
  EXPECT_EQ(printed, "");
}

TEST_F(DialogCommandTest, AnUnknownTitleIsAUsageError) {
  environment.set("QT_QPA_PLATFORM", "offscreen");
  EXPECT_EQ(runDialog("Run Nothing"), 2);
  EXPECT_EQ(complaint,
            "korhost: no component command titled \"Run Nothing\"\n");
}
