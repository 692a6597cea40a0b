//===- resultsregistry.h - The formatters and routers, by class name ------===//
//
// The one list of the results formatters and the one list of the results
// routers that a run can be asked for by class name. Each entry pairs the
// class name with a function that creates a new instance. The order is the
// order the kortest command offers them everywhere: the positions of its
// formatter and router, its dialog's "Format" and "Router" lists, and the
// help of its "results_formatter" and "results_router" options.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iptr.h"
#include "results/ikortestresultsformatter.h"
#include "results/ikortestresultsrouter.h"
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

/// Class names and factories of one kind of results object, in offer order.
template <class Interface> class KorResultsRegistry {
public:
  /// One offered class.
  struct Entry {
    const char *className;
    /// A new instance, held by its first reference.
    IPtr<Interface> (*create)();
  };

  explicit constexpr KorResultsRegistry(std::span<const Entry> entries)
      : entries_(entries) {}

  std::span<const Entry> entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  /// Position of the entry whose class name equals `className` exactly
  /// (case-sensitive), or -1; null matches nothing.
  int32_t position(const char *className) const;
  /// The class names in order as one text: "A, B or C".
  std::string nameList() const;

private:
  std::span<const Entry> entries_;
};

extern template class KorResultsRegistry<IKorTestResultsFormatter>;
extern template class KorResultsRegistry<IKorTestResultsRouter>;

/// The formatters: Visual Studio lines (passed, skipped and aborted records
/// left out), the native XML document, JUnit XML.
const KorResultsRegistry<IKorTestResultsFormatter> &korResultsFormatters();

/// The routers: debugger output, standard output, the host's log service,
/// a file.
const KorResultsRegistry<IKorTestResultsRouter> &korResultsRouters();
