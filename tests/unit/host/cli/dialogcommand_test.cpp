// Unit tests of `korhost dialog`: an empty display variable names no
// display (dialog.sh checks the message with the variables unset).
#include "host/cli/dialogcommand.h"
#include "host/gui/dialogwindow.h"
#include "tests/unit/support/hostfixture.h"
#include <cstdio>

TEST(DialogCommand, DialogWithEmptyDisplayVariablesEndsWithStatusOne) {
  ScopedHost host;
  ScopedEnvironment environment;
  for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.set(name, "");
  EXPECT_FALSE(hostHasDisplay());
  FILE *sink = std::tmpfile();
  EXPECT_EQ(runDialogCommand(*host.manager, DialogRequest{}, sink, sink), 1);
  std::fclose(sink);
  environment.set("WAYLAND_DISPLAY", "wayland-0");
  EXPECT_TRUE(hostHasDisplay());
}
