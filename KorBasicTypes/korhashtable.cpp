//===- korhashtable.cpp - The library's prime table -----------------------===//
#include "KorBasicTypes/korhashtable.h"

const std::vector<uint64_t> &korPrimeTable() {
  static const std::vector<uint64_t> primes = {
      2,         3,         5,         11,         17,         37,
      67,        131,       257,       521,        1031,       2053,
      4099,      8209,      16411,     32771,      65537,      131101,
      262147,    524309,    1048583,   2097169,    4194319,    8388617,
      16777259,  33554467,  67108879,  134217757,  268435459,  536870923,
      1073741827, 2147483659ull};
  return primes;
}

uint64_t korPrimeAbove(uint64_t size) {
  for (uint64_t prime : korPrimeTable())
    if (prime > size)
      return prime;
  return korPrimeTable().back();
}
