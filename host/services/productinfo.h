//===- productinfo.h - The host's product description ---------------------===//
#pragma once
#include "component/iproductinfo.h"

/// The product text of korhost: its name and version.
class HostProductInfo : public IProductInfo {
public:
  KOR_CLASS(HostProductInfo, IProductInfo)
  /// "korhost <version>", borrowed from a constant so that no buffer of
  /// the host's crosses into the caller's library.
  KorCString GetProductInfo() override;
};

/// The product text korhost reports.
const char *hostProductText();
