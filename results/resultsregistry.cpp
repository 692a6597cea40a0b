//===- resultsregistry.cpp - The formatters and routers, by class name ----===//
#include "results/resultsregistry.h"
#include "results/gendebugstreamresultsrouter.h"
#include "results/genfileresultsrouter.h"
#include "results/genjunitresultsformatter.h"
#include "results/genlogserviceresultsrouter.h"
#include "results/genstdstreamsresultsrouter.h"
#include "results/genvisualstudioresultsformatter.h"
#include "results/genxmlresultsformatter.h"
#include <cstring>

namespace {
template <class Interface, class Class> IPtr<Interface> make() {
  return IPtr<Interface>(static_cast<Interface *>(new Class));
}

/// The command's report lists only what needs attention: passed, skipped
/// and aborted records are left out.
IPtr<IKorTestResultsFormatter> makeVisualStudioFormatter() {
  return IPtr<IKorTestResultsFormatter>(
      static_cast<IKorTestResultsFormatter *>(
          new GenVisualStudioResultsFormatter(true, true)));
}

using FormatterEntry = KorResultsRegistry<IKorTestResultsFormatter>::Entry;
using RouterEntry = KorResultsRegistry<IKorTestResultsRouter>::Entry;
using Formatter = IKorTestResultsFormatter;
using Router = IKorTestResultsRouter;

constexpr FormatterEntry kFormatters[] = {
    {GenVisualStudioResultsFormatter::kClassName, makeVisualStudioFormatter},
    {GenXmlResultsFormatter::kClassName,
     make<Formatter, GenXmlResultsFormatter>},
    // Not among the dialog's original pair, but what CI servers read.
    {GenJUnitResultsFormatter::kClassName,
     make<Formatter, GenJUnitResultsFormatter>},
};

constexpr RouterEntry kRouters[] = {
    {GenDebugStreamResultsRouter::kClassName,
     make<Router, GenDebugStreamResultsRouter>},
    {GenStdStreamsResultsRouter::kClassName,
     make<Router, GenStdStreamsResultsRouter>},
    {GenLogServiceResultsRouter::kClassName,
     make<Router, GenLogServiceResultsRouter>},
    {GenFileResultsRouter::kClassName, make<Router, GenFileResultsRouter>},
};
} // namespace

template <class Interface>
int32_t KorResultsRegistry<Interface>::position(const char *className) const {
  for (size_t i = 0; className && i < entries_.size(); ++i)
    if (std::strcmp(entries_[i].className, className) == 0)
      return static_cast<int32_t>(i);
  return -1;
}

template <class Interface>
std::string KorResultsRegistry<Interface>::nameList() const {
  std::string text;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (i > 0)
      text += i + 1 == entries_.size() ? " or " : ", ";
    text += entries_[i].className;
  }
  return text;
}

template class KorResultsRegistry<IKorTestResultsFormatter>;
template class KorResultsRegistry<IKorTestResultsRouter>;

const KorResultsRegistry<IKorTestResultsFormatter> &korResultsFormatters() {
  static constexpr KorResultsRegistry<IKorTestResultsFormatter> registry{
      kFormatters};
  return registry;
}

const KorResultsRegistry<IKorTestResultsRouter> &korResultsRouters() {
  static constexpr KorResultsRegistry<IKorTestResultsRouter> registry{kRouters};
  return registry;
}
