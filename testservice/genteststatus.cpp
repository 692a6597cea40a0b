//===- genteststatus.cpp - The status record of one test run --------------===//
#include "testservice/genteststatus.h"
#include <utility>

const char *GenTestStatus::stateName(int state) {
  switch (state) {
  case kTestNotRun:
    return "NotRun";
  case kTestPassed:
    return "Passed";
  case kTestFailed:
    return "Failed";
  case kTestSkipped:
    return "Skipped";
  case kTestAborted:
    return "Aborted";
  default:
    return "INVALID STATE VALUE";
  }
}

void GenTestStatus::AddMessage(const KorCString &text) {
  AddMessage(text.c_str(), "", 0);
}

void GenTestStatus::AddMessage(const char *text, const char *file, int line) {
  messages_.push_back(
      Message{KorCString(text ? text : ""), KorCString(file ? file : ""), line});
}

// OnAssert and OnException add their message through the interface so that
// a derived record that overrides AddMessage sees every message.
void GenTestStatus::OnAssert(const char *text, const char *file, int line) {
  static_cast<IKorTestStatus *>(this)->AddMessage(text, file, line);
  assertOccurred_ = true;
}

void GenTestStatus::OnException(const char *text, const char *file, int line) {
  static_cast<IKorTestStatus *>(this)->AddMessage(text, file, line);
  exceptionOccurred_ = true;
}

void GenTestStatus::OnProgress(float fraction) {
  if (progressValue_ > fraction || fraction > 1.0f) {
    progressInvalid_ = true;
    return;
  }
  if (fraction > progressValue_) {
    ++progressCount_;
    progressValue_ = fraction;
  }
}

bool GenTestStatus::VerifyExpectations() {
  bool expectationsMet = assertExpected_ == assertOccurred_ &&
                         exceptionExpected_ == exceptionOccurred_;
  if (expectationsMet) {
    if (expectedProgress_ <= 0)
      return true;
    if (!progressInvalid_ && progressCount_ >= expectedProgress_ &&
        progressValue_ == 1.0f)
      return true;
  }
  SetState(kTestFailed);
  return false;
}

KorCString &GenTestStatus::ToString(KorCString &out) {
  KorCString text(stateName(state_));
  text += '\n';
  for (const Message &m : messages_) {
    text += m.text.c_str();
    text += '\n';
  }
  out = std::move(text);
  return out;
}

const GenTestStatus::Message *GenTestStatus::message(int index) const {
  if (index < 1 || index > static_cast<int>(messages_.size()))
    return nullptr;
  return &messages_[static_cast<size_t>(index - 1)];
}

const char *GenTestStatus::GetMessage(int index) {
  const Message *m = message(index);
  return m ? m->text.c_str() : nullptr;
}

const char *GenTestStatus::GetMessageFile(int index) {
  const Message *m = message(index);
  return m ? m->file.c_str() : nullptr;
}

int GenTestStatus::GetMessageLine(int index) {
  const Message *m = message(index);
  return m ? m->line : 0;
}
