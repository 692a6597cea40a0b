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
  // Every dialog event, and the reserved slots, can be sent and do nothing.
  using Event = void (IGuiReceiver::*)(int32_t, int32_t);
  using R = IGuiReceiver;
  for (Event event : {&R::OnGuiEvent0, &R::OnButton, &R::OnSelection,
                      &R::OnGuiEvent3, &R::OnGuiEvent4, &R::OnIntegerValue,
                      &R::OnGuiEvent6, &R::OnNotify, &R::OnGuiEvent8,
                      &R::OnGuiEvent9, &R::OnGuiEvent10, &R::OnGuiEvent11,
                      &R::OnGuiEvent12, &R::OnGuiEvent13, &R::OnGuiEvent14,
                      &R::OnGuiEvent15, &R::OnGuiEvent16, &R::OnGuiEvent17,
                      &R::OnGuiEvent18, &R::OnGuiEvent19})
    (static_cast<IGuiReceiver *>(command.get())->*event)(1, 2);
  command->Reserved25();
  command->Reserved28();
  command->Reserved32();
  EXPECT_TRUE(command->Reserved31());
  EXPECT_FALSE(command->Reserved34() || command->Reserved35() ||
               command->Reserved36());
  command->LayoutDialog(nullptr);
  command->SetGuiUtil(nullptr);
  EXPECT_EQ(command->Kind(), 3u);
}
