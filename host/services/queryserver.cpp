//===- queryserver.cpp - The host's query server: records commands publish ===//
#include "host/services/queryserver.h"
#include "host/services/hostservices.h"
#include "KorBasicTypes/korarray.h"

void HostQueryServer::Publish(const char *name,
                              const KorArray<int32_t> &values) {
  if (!name)
    return;
  records_[name].assign(values.begin(), values.end());
}

std::optional<std::vector<int32_t>>
HostQueryServer::record(const std::string &name) const {
  auto it = records_.find(name);
  if (it == records_.end())
    return std::nullopt;
  return it->second;
}

KORHOST_SERVICE("IKorQueryServer",
                [](const HostOptions &) { return new HostQueryServer; });
