//===- kortesttable.cpp - Tests made from a table of cases ----------------===//
#include "frame/kortesttable.h"

KorTableCaseBase::KorTableCaseBase(std::string description,
                                   std::string disabledReason,
                                   const KorSourcePlace &where)
    : description_(std::move(description)),
      disabledReason_(std::move(disabledReason)), file_(where.file),
      line_(where.line) {}

KorCString &KorTableCaseBase::Description(KorCString &out) {
  out = description_.c_str();
  return out;
}
