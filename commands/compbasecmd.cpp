//===- compbasecmd.cpp - Neutral defaults shared by the component's commands ===//
#include "commands/compbasecmd.h"
#include "KorBasicTypes/translate.h"

CompBaseCmd::CompBaseCmd(uint32_t kind, const char *titleKey)
    : kind_(kind), title_(korTranslate(titleKey)) {}

void CompBaseCmd::setTitle(const char *titleKey) {
  title_ = korTranslate(titleKey);
}
