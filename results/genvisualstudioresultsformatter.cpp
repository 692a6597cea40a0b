//===- genvisualstudioresultsformatter.cpp - Results as clickable lines ---===//
#include "results/genvisualstudioresultsformatter.h"
#include "frame/ikortest.h"
#include "frame/ikortestresults.h"
#include "frame/ikorteststatus.h"
#include "KorBasicTypes/korcstring.h"
#include "results/resultstext.h"
#include "KorBasicTypes/translate.h"
#include <string>

namespace {
constexpr int kMaxLinesPerRecord = 100;

/// Appends the lines of one record to `out`.
void appendRecord(std::u16string &out, IKorTestStatus &status) {
  int count = status.GetMessageCount();
  if (count < 1)
    return;
  KorCString description;
  if (IKorTest *test = status.GetTest())
    test->Description(description);
  std::string line;
  for (int i = 1; i <= count && i <= kMaxLinesPerRecord; ++i) {
    const char *file = status.GetMessageFile(i);
    const char *message = status.GetMessage(i);
    line.assign(file ? file : "");
    line += '(';
    line += std::to_string(status.GetMessageLine(i));
    line += ") : ";
    line += description.c_str();
    line += " : ";
    line += message ? message : "";
    line += '\n';
    out += korResultsText(line.c_str()).view();
  }
  if (count > kMaxLinesPerRecord)
    out += korTranslate("Stopped after %1 of %2 warnings.\n",
                        KorString::number(int32_t(kMaxLinesPerRecord)),
                        KorString::number(int32_t(count)))
               .view();
}
} // namespace

bool GenVisualStudioResultsFormatter::omitted(int state) const {
  if (state == kTestPassed)
    return omitPassed_;
  if (state == kTestSkipped || state == kTestAborted)
    return omitSkipped_;
  return false;
}

void GenVisualStudioResultsFormatter::Format(IKorTestResults *results) {
  output_ = KorString();
  if (!results)
    return;
  std::u16string text;
  int count = results->GetCount();
  for (int i = 1; i <= count; ++i) {
    IKorTestStatus *status = results->GetStatus(uint32_t(i));
    if (status && !omitted(status->GetState()))
      appendRecord(text, *status);
  }
  output_ = KorString(std::u16string_view(text));
}

