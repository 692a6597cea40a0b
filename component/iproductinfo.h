//===- iproductinfo.h - The host's product description --------------------===//
#pragma once
#include "component/korclass.h"

class KorCString;

/// Describes the host product (name, version, build) for result reports.
class IProductInfo : public virtual IKorUnknown {
  KOR_INTERFACE(IProductInfo)
  virtual void Reserved0() {}
  virtual void Reserved1() {}
  virtual void Reserved2() {}
  virtual void Reserved3() {}
  virtual void Reserved4() {}
  virtual void Reserved5() {}
  virtual void Reserved6() {}
  virtual void Reserved7() {}
  virtual void Reserved8() {}
  /// Slot 9: the product information as one narrow text.
  virtual KorCString GetProductInfo() = 0;
};
