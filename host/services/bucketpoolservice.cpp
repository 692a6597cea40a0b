//===- bucketpoolservice.cpp - The host's shared bucket memory pool -------===//
//
// korhost offers its own current pool as "IBucketMemoryPool". A component
// that started on a fallback pool of its own finds it within 601
// allocations, hands over its cached blocks, and from then on both allocate
// from this one pool.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bucketpool.h"
#include "host/services/hostservices.h"

KORHOST_SERVICE("IBucketMemoryPool", [](const HostOptions &) -> IKorUnknown * {
  // The new pool becomes current in korhost's own copy of the library,
  // taking over any blocks korhost cached before start-up.
  return bucketPoolCreate(kBucketGranularity, kBucketLinearLimit,
                          kBucketMaximum);
});
