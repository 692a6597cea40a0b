// Pins the slot positions of the command-side contracts: scripts, query
// server, dialogs and the command interfaces.
#include "component/icomponentcommand.h"
#include "component/ifilenamewidget.h"
#include "component/iguiutil.h"
#include "component/ikorcommandcontext.h"
#include "component/ikorqueryserver.h"
#include "component/iscriptable.h"
#include "component/iscriptfactory.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

TEST(CommandContracts, ScriptEngine) {
  EXPECT_SLOT(&IScriptable::Describe, 0);
  EXPECT_SLOT(&IScriptable::Execute, 1);
  EXPECT_SLOT(&IScriptable::Store, 2);
  EXPECT_SLOT(&IScriptFactory::CreateScript, 1);
  EXPECT_SLOT(&IScript::Options, 5);
  EXPECT_SLOT(&IScriptOptions::SetBool, 7);
  EXPECT_SLOT(&IScriptOptions::SetInteger, 8);
  EXPECT_SLOT(&IScriptOptions::SetString, 11);
  EXPECT_SLOT(&IScriptOptions::DeclareBool, 15);
  EXPECT_SLOT(&IScriptOptions::DeclareInteger, 16);
  EXPECT_SLOT(&IScriptOptions::DeclareString, 19);
  EXPECT_SLOT(&IScriptOptions::GetBool, 20);
  EXPECT_SLOT(&IScriptOptions::GetInteger, 21);
  EXPECT_SLOT(&IScriptOptions::GetString, 24);
}

TEST(CommandContracts, HostServicesOfTheCommand) {
  EXPECT_SLOT(&IKorQueryServer::Publish, 4);
  EXPECT_SLOT(&IFileNameWidgetV2::SetFilter, 0);
  EXPECT_SLOT(&IFileNameWidgetV2::AddToDialog, 3);
  EXPECT_SLOT(&IKorCommandContext::GetFlag, 3);
  EXPECT_SLOT(&IKorCommandContext::ModelContainer, 8);
  EXPECT_SLOT(&IGuiItem::SetText, 2);
}

TEST(CommandContracts, GuiUtilPositions) {
  EXPECT_SLOT(&IGuiUtil::SetTitle, 1);
  EXPECT_SLOT(&IGuiUtil::GetSaveFileName, 2);
  EXPECT_SLOT(&IGuiUtil::OpenGroup, 8);
  EXPECT_SLOT(&IGuiUtil::AddField, 21);
  EXPECT_SLOT(&IGuiUtil::AddChoiceList, 28);
  EXPECT_SLOT(&IGuiUtil::AddTreeList, 46);
  EXPECT_SLOT(&IGuiUtil::SetIntegerRange, 61);
  EXPECT_SLOT(&IGuiUtil::ListOption75, 75);
  EXPECT_SLOT(&IGuiUtil::EnableField, 82);
  EXPECT_SLOT(&IGuiUtil::FinishLayout, 87);
  EXPECT_SLOT(&IGuiUtil::AddListItem, 116);
  EXPECT_SLOT(&IGuiUtil::SetText, 133);
  EXPECT_SLOT(&IGuiUtil::GetSelectedItems, 138);
  EXPECT_SLOT(&IGuiUtil::SetIntegerValue, 160);
  EXPECT_SLOT(&IGuiUtil::GetCheck, 167);
  EXPECT_SLOT(&IGuiUtil::SetLabelColour, 173);
  EXPECT_SLOT(&IGuiUtil::SetToolTip, 193);
}

// IGuiReceiver's two destructor entries sit between its last event slot
// and the command's first own slot.
constexpr long kReceiverDestructorEntries = 2;

TEST(CommandContracts, ReceiverThenCommandSlots) {
  EXPECT_SLOT(&IGuiReceiver::OnGuiEvent0, 0);
  EXPECT_SLOT(&IGuiReceiver::OnButton, 1);
  EXPECT_SLOT(&IGuiReceiver::OnSelection, 2);
  EXPECT_SLOT(&IGuiReceiver::OnIntegerValue, 5);
  EXPECT_SLOT(&IGuiReceiver::OnNotify, 7);
  EXPECT_SLOT(&IGuiReceiver::OnGuiEvent19, 19);
  const long base = kReceiverDestructorEntries;
  EXPECT_SLOT(&IComponentCommand::SetHostPointer, 20 + base);
  EXPECT_SLOT(&IComponentCommand::SetGuiUtil, 21 + base);
  EXPECT_SLOT(&IComponentCommand::Title, 22 + base);
  EXPECT_SLOT(&IComponentCommand::Kind, 23 + base);
  EXPECT_SLOT(&IComponentCommand::IsAvailable, 24 + base);
  EXPECT_SLOT(&IComponentCommand::LayoutDialog, 26 + base);
  EXPECT_SLOT(&IComponentCommand::Activate, 27 + base);
  EXPECT_SLOT(&IComponentCommand::Execute, 29 + base);
  EXPECT_SLOT(&IComponentCommand::Reserved33, 33 + base);
  EXPECT_SLOT(&IComponentCommand::Reserved37, 37 + base);
}
