#pragma once
#include <cstdint>
#include <string>

// The one way the program reports an unrecoverable failure: it appends an entry to
// "DirectX Fehler.txt", shows the report (a message box, or standard error where no display can
// show one) and ends the process with exit code 1 without saving anything.
// sourceFile names the module that raised it: "Libs\\DirectX" or "t_menu".
[[noreturn]] void FatalError(const std::string& message, int line, const char* sourceFile,
                             uint32_t result);

// The platform layer installs what happens before the log entry is written (screen saver back
// on, device released) and how the report is shown. Without a display hook the report goes to
// standard error.
struct FatalErrorHooks {
    void (*restoreDesktop)() = nullptr;
    void (*showReport)(const std::string& report) = nullptr;
    std::string versionText;
    std::string adapterDescription;
};
FatalErrorHooks& GetFatalErrorHooks();

// The name of the error log in the data folder (Libs/DataFolder.h).
inline constexpr const char* FatalLogName = "DirectX Fehler.txt";

// The report the log and the message box show: where it failed, the message, the result
// code's name and description (only when result is non-zero), the version and the adapter.
std::string FatalReportText(const std::string& message, int line, const char* sourceFile,
                            uint32_t result, const std::string& versionText,
                            const std::string& adapterDescription);

// The log entry's first line, filled with a UTC date and time (without its line end).
std::string FatalLogHeader(int day, int month, int year, int hour, int minute, int second);

// Appends header, an empty line, the report and an empty line, every line ending in CR LF, to
// the file at path (UTF-8).
// 0 when the log could not be opened (nothing is written then).
int AppendFatalLog(const char* path, const std::string& header, const std::string& report);

// Appends a dated entry with the report to the error log; 0 when the log could not be opened.
int LogErrorEntry(const std::string& report);

// A symbolic name and a description for a result code (for codes the game knows).
std::string ResultName(uint32_t result);
std::string ResultDescription(uint32_t result);
