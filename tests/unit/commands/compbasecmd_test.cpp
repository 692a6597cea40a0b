// The command base: what a command that overrides nothing answers, and the
// kind, title and host pointer it keeps.
#include "commands/compbasecmd.h"
#include "component/iptr.h"
#include <gtest/gtest.h>

TEST(CompBaseCmd, NeutralDefaultsAndWhatItKeeps) {
  IPtr<CompBaseCmd> command(new CompBaseCmd(3, "Run Programmer Tests"));
  EXPECT_FALSE(command->IsAvailable(nullptr));
  EXPECT_TRUE(command->Activate() && command->Execute() &&
              command->Reserved30());
  EXPECT_EQ(command->Reserved33(), 1);
  EXPECT_FALSE(command->Reserved37());
  EXPECT_EQ(command->Kind(), 3u);
  EXPECT_EQ(command->Title().view(), u"Run Programmer Tests");
  EXPECT_TRUE(IPtr<CompBaseCmd>(new CompBaseCmd)->Title().isEmpty());
  int hostObject = 0;
  EXPECT_EQ(command->HostPointer(), nullptr);
  command->SetHostPointer(&hostObject);
  EXPECT_EQ(command->HostPointer(), &hostObject);
}
