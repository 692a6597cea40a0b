//===- nyroutofmemory.cpp - The end of an allocation that cannot be had ---===//
#include "KorBasicTypes/nyroutofmemory.h"
#include "component/idatastore.h"
#include "component/ikorerrorservice.h"
#include "component/iptr.h"
#include "KorBasicTypes/nyrhostdirs.h"
#include "KorBasicTypes/nyrmemory.h"
#include "KorBasicTypes/translate.h"
#include <cstdio>
#include <cstdlib>

namespace {
/// Set while the message and title are being translated. Translating needs
/// memory too; when that runs out as well, the nested report shows the
/// English texts and keeps the memory.log of the failure being reported.
thread_local bool tTranslating = false;

/// `text` widened into `out` (cut to fit) without using the heap.
template <size_t N>
const KorWChar *widenInPlace(const char *text, KorWChar (&out)[N]) {
  size_t i = 0;
  for (; text[i] && i + 1 < N; ++i)
    out[i] = static_cast<unsigned char>(text[i]);
  out[i] = 0;
  return out;
}

/// Shows the message between the renderer's two modal operations.
void show(IKorErrorService *errors, const KorWChar *message,
          const KorWChar *title) {
  IGfxRenderer *renderer = nyrRenderer();
  if (renderer)
    renderer->BeginModalMessage();
  if (errors)
    errors->Report(message, 1, "realloc");
  else
    nyrShowMessageBox(message, title);
  if (renderer)
    renderer->EndModalMessage();
}

void tellUser(IKorErrorService *errors) {
  if (tTranslating) {
    KorWChar message[256], title[32];
    show(errors, widenInPlace(kNyrOutOfMemoryMessage, message),
         widenInPlace(kNyrOutOfMemoryTitle, title));
    return;
  }
  tTranslating = true;
  KorString message = korTranslate(kNyrOutOfMemoryMessage);
  KorString title = korTranslate(kNyrOutOfMemoryTitle);
  tTranslating = false;
  show(errors, message.data(), title.data());
}

void writeFigure(FILE *log, const char *label, uint64_t value,
                 const char *unit) {
  std::fprintf(log, "%s%7llu%s\n", label,
               static_cast<unsigned long long>(value), unit);
}
} // namespace

bool handleOutOfMemory(int code) {
  bool useErrorService = false;
  if (SPtr<IDataStore> store; store)
    useErrorService = store->GetBool("Memory/UseErrorService", 0);
  bool shown = code >= -5 && code <= -1;
  if (!useErrorService) {
    if (shown)
      tellUser(nullptr);
    return false;
  }
  SPtr<IKorErrorService> errors;
  if (errors && shown)
    tellUser(errors.get());
  return false;
}

void nyrEndProcess() {
  std::fflush(nullptr);
  std::exit(-1);
}

bool handleOutOfMemoryFatal(int code) {
  if (!handleOutOfMemory(code))
    nyrEndProcess();
  return true;
}

void nyrShowMessageBox(const KorWChar *message, const KorWChar *title) {
  std::fprintf(stderr, "%s\n%s\n", nyrUtf8(title).c_str(),
               nyrUtf8(message).c_str());
  std::fflush(stderr);
}

std::string nyrMemoryLogPath() {
  std::string folder = nyrSettingFolder("Directories/Logs Directory");
  if (folder.empty())
    return "memory.log";
  return folder == "/" ? "/memory.log" : folder + "/memory.log";
}

void writeMemoryLog(size_t attemptedBytes) {
  if (tTranslating)
    return;
  FILE *log = std::fopen(nyrMemoryLogPath().c_str(), "w");
  if (!log)
    return;
  if (attemptedBytes != 0) {
    writeFigure(log, "attempted:        ", attemptedBytes, "b");
    std::fputs("\n", log);
  }
  uint64_t systemFree = 0, systemTotal = 0, swapFree = 0, swapTotal = 0;
  getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal, 1024);
  writeFigure(log, "system free:      ", systemFree, "k");
  writeFigure(log, "system total:     ", systemTotal, "k");
  writeFigure(log, "swap free:        ", swapFree, "k");
  writeFigure(log, "swap total:       ", swapTotal, "k");
  std::fputs("\n", log);
  if (KorMM::IKorMManager *manager = nyrMemoryManager()) {
    writeFigure(log, "kormm core now:   ", manager->CoreNow() * 24, "k");
    writeFigure(log, "kormm core limit: ", manager->CoreLimit() * 24, "k");
    writeFigure(log, "kormm swap now:   ", manager->SwapNow() * 24, "k");
    writeFigure(log, "kormm swap limit: ", manager->SwapLimit() * 24, "k");
  } else {
    std::fputs("kormm not available\n", log);
  }
  std::fputs("\n", log);
  std::fclose(log);
}
