//===- shardchoice.cpp - Checking a shard index and count given as texts --===//
#include "KorBasicTypes/shardchoice.h"
#include <charconv>
#include <optional>

namespace {
/// A whole decimal 32-bit number; nothing for any other text.
std::optional<int32_t> wholeNumber(const std::string &text) {
  int32_t value = 0;
  const char *last = text.data() + text.size();
  auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last)
    return std::nullopt;
  return value;
}
} // namespace

std::string korCheckShard(const std::string &index, const std::string &count,
                          const std::string &indexName,
                          const std::string &countName, int32_t &indexValue,
                          int32_t &countValue) {
  std::optional<int32_t> parsedCount = wholeNumber(count);
  if (!parsedCount || *parsedCount < 1)
    return countName + " must be a whole number of at least 1, not \"" + count +
           "\"";
  std::optional<int32_t> parsedIndex = wholeNumber(index);
  if (!parsedIndex || *parsedIndex < 0 || *parsedIndex >= *parsedCount)
    return indexName + " must be a whole number from 0 to " +
           std::to_string(*parsedCount - 1) + ", not \"" + index + "\"";
  indexValue = *parsedIndex;
  countValue = *parsedCount;
  return {};
}
