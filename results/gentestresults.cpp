//===- gentestresults.cpp - The results of one test run -------------------===//
#include "results/gentestresults.h"
#include "frame/ikortest.h"
#include "frame/ikorteststatus.h"
#include "component/iproductinfo.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/koritemfactory.h"
#include <cstring>
#include <unistd.h>

KOR_REGISTER_CLASS_AT_LOAD(GenTestResults, 0x39E7082F, 0x0E0B, 0x4E6B, 0x91,
                           0x73, 0xFB, 0xDC, 0xBD, 0x43, 0xAA, 0xA9);

GenTestResults::GenTestResults() {
  SPtr<IKorDate> date;
  SPtr<IKorTime> time;
  date_ = date;
  time_ = time;
  if (date_)
    date_->SetToday();
  if (time_)
    time_->SetNow();
}

GenTestResults::~GenTestResults() {
  for (IKorTestStatus *status : statuses_)
    if (status)
      status->Release();
  time_.reset();
  date_.reset();
}

void GenTestResults::AddStatus(IKorTestStatus *status) {
  if (status)
    status->AddRef();
  statuses_.append(status);
}

IKorTestStatus *GenTestResults::GetStatus(uint32_t index) {
  if (index < 1 || index > statuses_.count())
    return nullptr;
  return statuses_[index];
}

IKorTestStatus *GenTestResults::FindStatus(int testNumber) {
  int count = GetCount();
  for (int i = 1; i <= count; ++i) {
    IKorTestStatus *status = GetStatus(static_cast<uint32_t>(i));
    IKorTest *test = status ? status->GetTest() : nullptr;
    if (test && test->TestNumber() == testNumber)
      return status;
  }
  return nullptr;
}

bool GenTestResults::AllPassed() {
  int count = GetCount();
  for (int i = 1; i <= count; ++i) {
    IKorTestStatus *status = GetStatus(static_cast<uint32_t>(i));
    if (!status || status->GetState() != kTestPassed)
      return false;
  }
  return true;
}

const char *GenTestResults::hostNameFrom(HostNameQuery query) {
  // Shared by every collection: the text stays valid until the next call.
  static char buffer[1024];
  std::memset(buffer, 0, sizeof(buffer));
  if (query(buffer, sizeof(buffer)) != 0)
    return "Error retrieving hostname";
  return buffer;
}

const char *GenTestResults::GetHostName() {
  return hostNameFrom([](char *buffer, size_t size) {
    return gethostname(buffer, size);
  });
}

const char *GenTestResults::GetProductInfo() {
  // Shared by every collection: the text stays valid until the next call.
  static KorCString text;
  SPtr<IProductInfo> info;
  if (info)
    text = info->GetProductInfo();
  else
    text = "";
  return text.c_str();
}
