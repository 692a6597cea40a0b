// The command base: what a command that overrides nothing answers, and the
// host pointer it keeps (kinds and titles are listed by korhost end to end).
#include "commands/compbasecmd.h"
#include "component/iptr.h"
#include <gtest/gtest.h>

TEST(CompBaseCmd, NeutralDefaultsAndTheHostPointer) {
  IPtr<CompBaseCmd> command(new CompBaseCmd(3, "Run Programmer Tests"));
  EXPECT_FALSE(command->IsAvailable(nullptr));
  EXPECT_TRUE(command->Activate() && command->Execute() &&
              command->Reserved30());
  EXPECT_EQ(command->Reserved33(), 1);
  EXPECT_FALSE(command->Reserved37());
  int hostObject = 0;
  EXPECT_EQ(command->HostPointer(), nullptr);
  command->SetHostPointer(&hostObject);
  EXPECT_EQ(command->HostPointer(), &hostObject);
}
