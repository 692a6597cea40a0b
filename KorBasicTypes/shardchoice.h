//===- shardchoice.h - Checking a shard index and count given as texts ----===//
#pragma once
#include <cstdint>
#include <string>

/// Checks a shard index and count given as decimal texts: both whole 32-bit
/// numbers, count at least 1, index from 0 to count - 1. Returns an empty
/// text and stores the values when they are valid, else what is wrong,
/// naming them by `indexName` and `countName`.
std::string korCheckShard(const std::string &index, const std::string &count,
                          const std::string &indexName,
                          const std::string &countName, int32_t &indexValue,
                          int32_t &countValue);
