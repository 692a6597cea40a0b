//===- headlessguidump.cpp - A headless dialog written out as text --------===//
//
// One line per widget in the order the dialog added it, under a line for
// each new row and group: its number, name and kind, then what it shows.
// Texts are quoted with line feeds written as \n, so trailing spaces and
// line breaks stay visible.
//
//===----------------------------------------------------------------------===//
#include "host/gui/headlessgui.h"
#include "host/services/hostutf.h"
#include <cstdio>
#include <string>

namespace {
std::string quoted(const std::u16string &text) {
  std::string out = "\"";
  for (char c : hostToUtf8(text.c_str()))
    out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return out + "\"";
}

std::string number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string colourText(const std::array<float, 4> &colour) {
  return "(" + number(colour[0]) + ", " + number(colour[1]) + ", " +
         number(colour[2]) + ", " + number(colour[3]) + ")";
}

/// What a widget shows, after its kind.
std::string details(const HeadlessWidget &w) {
  std::string out;
  auto add = [&out](const std::string &part) { out += " " + part; };
  if (!w.text.empty() || w.kind == "label" || w.kind == "button" ||
      w.kind == "check" || w.kind == "choice")
    add("text=" + quoted(w.text));
  if (w.width)
    add("width=" + std::to_string(w.width));
  if (w.height)
    add("height=" + std::to_string(w.height));
  if (w.colour)
    add("colour=" + colourText(*w.colour));
  if (!w.toolTip.empty())
    add("tooltip=" + quoted(w.toolTip));
  if (w.kind == "check")
    add(w.checked ? "checked" : "unchecked");
  for (size_t i = 0; i < w.choices.size(); ++i)
    add("option" + std::to_string(i) + "=" + quoted(w.choices[i]));
  if (w.kind == "choice")
    add("chosen=" + std::to_string(w.choice));
  for (const auto &[slot, value] : w.listOptions)
    add("option" + std::to_string(slot) + "=" + std::to_string(value));
  if (w.kind == "integer" || w.kind == "real")
    add("range=" + number(w.range.first) + ".." + number(w.range.second));
  if (w.decimals >= 0)
    add("decimals=" + std::to_string(w.decimals));
  if (w.step != 0.0)
    add("step=" + number(w.step));
  if (w.kind == "integer")
    add("value=" + std::to_string(w.integerValue));
  if (w.kind == "real")
    add("value=" + number(w.realValue));
  if (w.fileField) {
    add("filter=" + quoted(w.fileField->filter()));
    add("name=" + quoted(w.fileField->GetFileName()));
  }
  if (!w.enabled)
    add("disabled");
  if (!w.items.empty())
    add("items=" + std::to_string(w.items.size()));
  return out;
}
} // namespace

std::string HostHeadlessGui::dump() {
  std::string out = "title " + quoted(title_) + "\n";
  int32_t row = -1;
  std::u16string group;
  for (const Key &key : order_) {
    const HeadlessWidget &w = widgets_[key];
    if (w.group != group) {
      group = w.group;
      out += group.empty() ? "end group\n" : "group " + quoted(group) + "\n";
    }
    if (w.row != row) {
      row = w.row;
      out += "row " + std::to_string(row) + "\n";
    }
    out += "  " + std::to_string(key.second) + " \"" + key.first + "\" " +
           w.kind + details(w) + "\n";
  }
  if (finish_)
    out += "finish " + std::to_string(finish_->first) + " " +
           std::to_string(finish_->second) + "\n";
  return out;
}
