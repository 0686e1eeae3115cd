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
