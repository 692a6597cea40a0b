//===- guiitem.h - A list item of a korhost dialog ------------------------===//
//
// The service "IGuiItem": a number and a text a command fills before it
// adds the item to a list. korhost's dialog builders copy both when the
// item is added, so one item object may be filled and added again and
// again.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iguiutil.h"
#include <string>

/// The host's IGuiItem: a number and a copied text.
class HostGuiItem : public IGuiItem {
public:
  KOR_CLASS(HostGuiItem, IGuiItem)
  void SetNumber(int32_t number) override { number_ = number; }
  int32_t Number() override { return number_; }
  void SetText(const KorWChar *text) override { text_ = text ? text : u""; }
  const KorWChar *Text() override { return text_.c_str(); }

private:
  int32_t number_ = 0;
  std::u16string text_;
};
