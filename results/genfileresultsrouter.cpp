//===- genfileresultsrouter.cpp - Writes a formatter's text to a file -----===//
#include "genfileresultsrouter.h"
#include "results/ikortestresultsformatter.h"
#include "results/resultpath.h"
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

GenFileResultsRouter::GenFileResultsRouter()
    : fileName_(KorString::borrowed(u"test_results.xml")) {}

void GenFileResultsRouter::Route(IKorTestResultsFormatter *formatter) {
  if (!formatter)
    return;
  std::u16string name = korpath::normalise(fileName_.view());
  std::u16string directory = korpath::directoryPart<char16_t>(name);
  std::error_code error;
  std::filesystem::path dirPath(KorString(directory).utf8());
  std::filesystem::create_directories(dirPath, error);
  if (error || name.empty())
    return;
  FILE *file = std::fopen(KorString(name).utf8(), "w");
  if (!file)
    return;
  const char *bytes = formatter->GetOutput().utf8();
  std::fwrite(bytes, 1, std::strlen(bytes), file);
  std::fclose(file);
}
