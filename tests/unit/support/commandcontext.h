//===- commandcontext.h - A command context the test sets -----------------===//
#pragma once
#include "component/ikorcommandcontext.h"
#include <string>

/// A command context whose "inCommand" flag and model container the test
/// sets.
class FakeCommandContext : public IKorCommandContext {
public:
  KOR_CLASS(FakeCommandContext, IKorCommandContext)
  bool GetFlag(const char *name) override {
    return inCommand && std::string(name) == "inCommand";
  }
  IKorModelContainer *ModelContainer() override { return model; }
  bool inCommand = false;
  IKorModelContainer *model = nullptr;
};
