//===- nyroutofmemory.h - The end of an allocation that cannot be had -----===//
//
// When every retry has failed, the allocator writes memory.log into the
// logs folder, tells the user (through the host error service, or as a
// message on standard error in place of a message box) and ends the
// process with exit code -1.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kortypes.h"
#include <cstddef>
#include <string>

/// Why an allocation gave up.
enum NyrOutOfMemoryCode : int {
  kNyrTempFileCreate = -1, ///< the temporary file cannot be created
  kNyrTempFileWrite = -2,  ///< writing the temporary file failed
  kNyrTempFileRead = -3,   ///< reading it back failed
  kNyrAllocFailed = -4,    ///< the allocation itself failed
};

/// The three-line message the user sees, before translation.
inline constexpr const char *kNyrOutOfMemoryMessage =
    "While running this function, you have run out of memory.\n"
    "The application will close. After restarting, please read\n"
    "the online help about \"Memory Optimization\".";
/// The title of the message box, before translation.
inline constexpr const char *kNyrOutOfMemoryTitle = "Out of Memory";

/// Tells the user the translated message (codes -5 to -1) unless
/// "Memory/UseErrorService" asks for the error service and there is none.
/// Returns whether the caller may carry on: always false here.
bool handleOutOfMemory(int code);
/// handleOutOfMemory, then the end of the process (exit code -1) when it
/// returns false; true otherwise.
bool handleOutOfMemoryFatal(int code);
/// Ends the process with exit code -1.
[[noreturn]] void nyrEndProcess();

/// Writes memory.log into the logs folder: the attempted size (when not 0),
/// the machine's figures in KiB and the host memory manager's. Failures to
/// open or write are ignored. Does nothing while the out-of-memory message
/// is being translated: the log describes the failure being reported.
void writeMemoryLog(size_t attemptedBytes);
/// The path of memory.log: "Directories/Logs Directory" + "/memory.log".
std::string nyrMemoryLogPath();
/// Shows `message` with `title` where a message box would: on standard
/// error, the title line first.
void nyrShowMessageBox(const KorWChar *message, const KorWChar *title);
