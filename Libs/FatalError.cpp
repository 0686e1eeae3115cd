#include "Libs/FatalError.h"

#include "Libs/DataFolder.h"
#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

struct ResultText {
    uint32_t code;
    const char* name;
    const char* description;
};

// The result codes the platform layer can pass on.
constexpr ResultText resultTexts[] = {
    {0x8876086Cu, "D3DERR_INVALIDCALL", "Ungültiger Aufruf."},
    {0x88760868u, "D3DERR_DEVICELOST", "Das Gerät ist verloren."},
    {0x88760869u, "D3DERR_DEVICENOTRESET", "Das Gerät ist nicht zurückgesetzt."},
    {0x8876086Au, "D3DERR_NOTAVAILABLE", "Nicht verfügbar."},
    {0x8876017Cu, "D3DERR_OUTOFVIDEOMEMORY", "Nicht genug Grafikspeicher."},
    {0x8007000Eu, "E_OUTOFMEMORY", "Nicht genug Speicher."},
    {0x80004003u, "E_POINTER", "Ungültiger Zeiger."},
    {0x80004005u, "E_FAIL", "Unbestimmter Fehler."},
};

const ResultText* FindResult(uint32_t result) {
    for (const ResultText& r : resultTexts)
        if (r.code == result) return &r;
    return nullptr;
}

// The source holds UTF-8; the game's texts are Windows-1252.
std::string GameText(const char* utf8) {
    std::string text;
    return Utf8ToWin1252(utf8, text) ? text : utf8;
}

} // namespace

FatalErrorHooks& GetFatalErrorHooks() {
    static FatalErrorHooks hooks;
    return hooks;
}

std::string ResultName(uint32_t result) {
    if (const ResultText* r = FindResult(result)) return r->name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(result));
    return buffer;
}

std::string ResultDescription(uint32_t result) {
    if (const ResultText* r = FindResult(result)) return GameText(r->description);
    return GameText("Unbekannter Fehler.");
}

std::string FatalReportText(const std::string& message, int line, const char* sourceFile,
                            uint32_t result, const std::string& versionText,
                            const std::string& adapterDescription) {
    std::string report = "Fehler in Zeile " + std::to_string(line) + " der Datei:\n";
    report += sourceFile ? sourceFile : "";
    report += "\n\n" + message;
    if (result != 0) report += "\n\n" + ResultName(result) + "\n" + ResultDescription(result);
    report += "\n\nVersion: " + versionText;
    report += "\nGafikkarte: " + adapterDescription;
    return report;
}

std::string FatalLogHeader(int day, int month, int year, int hour, int minute, int second) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, ".-=====\xB0 %02d.%02d. %d - %02d:%02d:%02d  \xB0=====-.",
                  day, month, year, hour, minute, second);
    return buffer;
}

int AppendFatalLog(const char* path, const std::string& header, const std::string& report) {
    std::FILE* log = SystemFiles::Open(path, "ab");
    if (!log) return 0;
    // The log is a text file with CR LF line ends; the report is written as it stands
    // otherwise (a percent sign is just a character).
    std::string entry = header + "\n\n" + report + "\n\n";
    std::string out;
    out.reserve(entry.size() + 16);
    for (char c : entry) {
        if (c == '\n') out += '\r';
        out += c;
    }
    std::fwrite(out.data(), 1, out.size(), log);
    std::fclose(log);
    return 1;
}

int LogErrorEntry(const std::string& report) {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    if (const std::tm* known = std::gmtime(&now)) utc = *known; // only this thread runs now
    return AppendFatalLog(DataFolder::Path(FatalLogName).c_str(),
                          FatalLogHeader(utc.tm_mday, utc.tm_mon + 1, utc.tm_year + 1900,
                                         utc.tm_hour, utc.tm_min, utc.tm_sec),
                          report);
}

void FatalError(const std::string& message, int line, const char* sourceFile, uint32_t result) {
    FatalErrorHooks& hooks = GetFatalErrorHooks();
    if (hooks.restoreDesktop) hooks.restoreDesktop();

    std::string report = FatalReportText(message, line, sourceFile, result, hooks.versionText,
                                         hooks.adapterDescription);
    LogErrorEntry(report);

    if (hooks.showReport) {
        hooks.showReport(report);
    } else {
        // Without a display the report goes to standard error.
        std::fprintf(stderr, "Fehler\n%s\n", Win1252ToUtf8(report).c_str());
    }
    // Nothing is saved and no destructor of the main objects runs.
    std::fflush(nullptr);
    std::_Exit(1);
}
