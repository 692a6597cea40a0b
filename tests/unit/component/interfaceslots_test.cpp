// The slot positions of the contracts the host and the components share:
// a reordered declaration moves an operation to another slot, which a
// component built against the old order would then call by mistake. Each
// contract is checked at its first and last operation and at some between.
#include "KorBasicTypes/korfile.h"
#include "KorBasicTypes/progressdividers.h"
#include "component/icomponentcommand.h"
#include "component/idatastore.h"
#include "component/ifilenamewidget.h"
#include "component/iguiutil.h"
#include "component/ikorasserthandlercb.h"
#include "component/ikorcommandcontext.h"
#include "component/ikorcomponent.h"
#include "component/ikorcomponentmanager.h"
#include "component/ikordatareceiver.h"
#include "component/ikordateutil.h"
#include "component/ikordirservice.h"
#include "component/ikordoc.h"
#include "component/ikordomxml.h"
#include "component/ikorerrorservice.h"
#include "component/ikormesh.h"
#include "component/ikormmanager.h"
#include "component/ikorqueryserver.h"
#include "component/iscriptable.h"
#include "component/iscriptfactory.h"
#include "frame/ikortestservice.h"
#include "results/ikortestresultsformatter.h"
#include "results/ikortestresultsrouter.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

namespace {
struct Slot {
  const char *member;
  long slot, expected;
};
#define SLOT(member, expected) Slot{#member, korVtableIndex(&member), expected}
/// An overloaded operation, picked by its type.
#define OVERLOAD(type, member, expected)                                       \
  Slot{#member, korVtableIndex(static_cast<type>(&member)), expected}

// Under this ABI a destructor takes two entries: IKorUnknown's own are
// slots 0 and 1, and IGuiReceiver's two lie between its last event and the
// command's first own operation.
constexpr long kCommand = 2;
} // namespace

TEST(InterfaceSlots, EveryContractOperationInItsSlot) {
  const Slot slots[] = {
      SLOT(IKorUnknown::AddRef, 2), SLOT(IKorUnknown::QueryInterface, 7),
      SLOT(IKorUnknown::ClassName, 8),
      // Component manager and host services.
      SLOT(IKorComponentManager::LoadComponent, 0),
      SLOT(IKorComponentManager::LookupService, 6),
      SLOT(IKorComponentManager::GetInstanceObject, 12),
      SLOT(IDataStore::GetBool, 10), SLOT(IDataStore::GetString, 16),
      SLOT(IDataStore::Watch, 35), SLOT(IKorErrorService::Report, 2),
      SLOT(IKorAssertHandlerCB::HandleAssert, 0),
      SLOT(IKorDataReceiver::OnDataChanged, 0),
      SLOT(IKorDirService::GetDirectory, 0), SLOT(IKorQueryServer::Publish, 4),
      SLOT(IKorDateUtil::FormatDateTime, 3),
      // The memory manager's operations are counted from 1.
      SLOT(KorMM::IKorMManager::ReleaseMemory, 3),
      SLOT(KorMM::IKorMManager::CoreLimit, 10),
      SLOT(KorMM::IKorMManager::CoreNow, 17),
      // Components and the test service.
      SLOT(IKorComponent::SetComponentManager, 0),
      SLOT(IKorComponent::CreateObject, 2), SLOT(IKorComponent::Reserved5, 5),
      SLOT(IKorCompInternal::ComponentId, 2),
      SLOT(IKorCompInternal::OffersTests, 9),
      SLOT(IKorCompInternal::RegisterTests, 10),
      SLOT(IKorCompInternal::BreakEnabled, 14),
      SLOT(IKorTestService::AddTest, 0), SLOT(IKorTestService::RunTests, 7),
      SLOT(IKorTestService::LoadTestComponents, 8),
      // Results and the XML document they are written with.
      SLOT(IKorTestResultsFormatter::Format, 0),
      SLOT(IKorTestResultsFormatter::GetOutput, 1),
      SLOT(IKorTestResultsRouter::Route, 0), SLOT(IKorDOMXmlV2::SaveToText, 4),
      SLOT(IKorDOMXmlV2::SetRootElement, 9),
      SLOT(IKorDOMXmlElement::SetAttribute, 10),
      SLOT(IKorDOMXmlElement::AppendChild, 21),
      // Scripts.
      SLOT(IScriptable::Describe, 0), SLOT(IScriptable::Store, 2),
      SLOT(IScriptFactory::CreateScript, 1), SLOT(IScript::Options, 5),
      SLOT(IScriptOptions::SetBool, 7), SLOT(IScriptOptions::SetString, 11),
      SLOT(IScriptOptions::DeclareBool, 15),
      SLOT(IScriptOptions::DeclareString, 19),
      SLOT(IScriptOptions::GetString, 24),
      // Commands, their context, document and dialogs.
      SLOT(IKorCommandContext::GetFlag, 3),
      SLOT(IKorCommandContext::ModelContainer, 8),
      SLOT(IKorDoc::CurrentModel, 31), SLOT(IKorModelContainer::Item, 29),
      SLOT(IKorModelItem::Object, 0), SLOT(IKorMesh::WriteMesh, 79),
      SLOT(IFileNameWidgetV2::SetFilter, 0),
      SLOT(IFileNameWidgetV2::AddToDialog, 3), SLOT(IGuiItem::SetText, 2),
      SLOT(IGuiUtil::GetSaveFileName, 2), SLOT(IGuiUtil::AddField, 21),
      SLOT(IGuiUtil::AddTreeList, 46), SLOT(IGuiUtil::ListOption75, 75),
      SLOT(IGuiUtil::FinishLayout, 87), SLOT(IGuiUtil::AddListItem, 116),
      SLOT(IGuiUtil::SetIntegerValue, 160), SLOT(IGuiUtil::SetLabelColour, 173),
      SLOT(IGuiUtil::SetToolTip, 193), SLOT(IGuiReceiver::OnGuiEvent0, 0),
      SLOT(IGuiReceiver::OnNotify, 7), SLOT(IGuiReceiver::OnGuiEvent19, 19),
      SLOT(IComponentCommand::SetHostPointer, 20 + kCommand),
      SLOT(IComponentCommand::IsAvailable, 24 + kCommand),
      SLOT(IComponentCommand::LayoutDialog, 26 + kCommand),
      SLOT(IComponentCommand::Execute, 29 + kCommand),
      SLOT(IComponentCommand::Reserved37, 37 + kCommand),
      // Data-model files and the streams under them; a class's own first
      // operation follows its interface's two destructor entries, and a
      // stream's slots count its own two first.
      SLOT(IKorDataModelWriter::writeTriples, 0),
      SLOT(IKorDataModelWriter::writeString, 14),
      SLOT(IKorDataModelWriter::beginNamed, 23),
      SLOT(IKorDataModelWriter::reservedQuery30, 30),
      SLOT(KorFileWrite::createOutput, 31 + 2),
      SLOT(IKorDataModelReader::readTriples, 0),
      SLOT(IKorDataModelReader::peekObjectGuid, 21),
      SLOT(IKorDataModelReader::beginBlock, 27),
      SLOT(IKorDataModelReader::peekBlockId, 34),
      SLOT(KorFileRead::createInput, 35 + 2),
      OVERLOAD(size_t (BinInput::*)(void *, size_t), BinInput::read, 2),
      SLOT(BinInput::close, 6), SLOT(BinOutput::flush, 2),
      OVERLOAD(size_t (BinOutput::*)(const void *, size_t), BinOutput::write, 4),
      SLOT(BinOutput::close, 9), SLOT(BinIO_Scrambler::scramble, 2),
      // Progress and its dividers.
      SLOT(IKorProgress::Report, 0), SLOT(IKorProgress::Map, 12),
      SLOT(IKorProgress::SetFlag, 14), SLOT(IKorProgressSplitBase::End, 3),
      SLOT(IKorProgressAttach::Attached, 1), SLOT(IKorProgressSplit::Begin, 0),
      OVERLOAD(bool (IKorProgressSubdivide::*)(const float *),
               IKorProgressSubdivide::Begin, 1),
      OVERLOAD(bool (IKorProgressBounds::*)(double, double),
               IKorProgressBounds::Begin, 1),
      SLOT(IKorProgressInfinite::Begin, 0),
  };
  for (const Slot &s : slots)
    EXPECT_EQ(s.slot, s.expected) << s.member;
}
