//===- productinfo.cpp - The host's product description -------------------===//
#include "host/services/productinfo.h"
#include "host/services/hostservices.h"
#include "KorBasicTypes/korcstring.h"

#ifndef KORHOST_VERSION
#define KORHOST_VERSION "0.0"
#endif

const char *hostProductText() { return "korhost " KORHOST_VERSION; }

KorCString HostProductInfo::GetProductInfo() {
  return KorCString::borrowed(hostProductText());
}

KORHOST_SERVICE("IProductInfo",
                [](const HostOptions &) { return new HostProductInfo; });
