//===- queryserver.h - The host's query server: records commands publish --===//
#pragma once
#include "component/ikorqueryserver.h"
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// The host's IKorQueryServer: keeps the last record published per name.
class HostQueryServer : public IKorQueryServer {
public:
  KOR_CLASS(HostQueryServer, IKorQueryServer)
  void Publish(const char *name, const KorArray<int32_t> &values) override;

  /// The last record published under `name`, if any.
  std::optional<std::vector<int32_t>> record(const std::string &name) const;
  /// Forgets every record.
  void clear() { records_.clear(); }

private:
  std::map<std::string, std::vector<int32_t>> records_;
};
