// Fonts on Windows: the faces the system has installed, listed in the registry and kept in the
// fonts folder the system names; where a face is missing, the game's own copy of it from the
// fonts folder beside the executable, and for any other face (Arial on a bare system) Liberation
// Sans, which has Arial's metrics.
#include "Libs/Font.h"
#include "Libs/WideText.h"

#include <shlobj.h>
#include <windows.h>

#include <cwctype>
#include <filesystem>
#include <system_error>

namespace {

// The faces the package carries, by the family a skin names (the first row also stands in for
// every family not listed).
struct ShippedFace {
    const wchar_t* family;
    const wchar_t* regular;
    const wchar_t* bold;
};
constexpr ShippedFace shippedFaces[] = {
    {L"Liberation Sans", L"LiberationSans-Regular.ttf", L"LiberationSans-Bold.ttf"},
    {L"Arial", L"LiberationSans-Regular.ttf", L"LiberationSans-Bold.ttf"},
    {L"Liberation Serif", L"LiberationSerif-Regular.ttf", L"LiberationSerif-Bold.ttf"},
    {L"DejaVu Sans", L"DejaVuSans.ttf", L"DejaVuSans-Bold.ttf"},
};

const wchar_t* const FontsKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

bool SameLetters(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::wstring FontsFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SHGetKnownFolderPath(FOLDERID_Fonts, 0, nullptr, &path) == S_OK) folder = path;
    CoTaskMemFree(path);
    return folder;
}

// The registry names a face "Arial (TrueType)", its bold cut "Arial Bold (TrueType)"; the value
// is a file in the fonts folder or, for a font installed for one user, a whole path.
std::wstring InstalledFontFile(HKEY root, const std::wstring& family, bool bold) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, FontsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    std::wstring file;
    const std::wstring face = family + (bold ? L" Bold" : L"");
    for (DWORD index = 0; file.empty(); ++index) {
        wchar_t name[256];
        wchar_t data[MAX_PATH];
        DWORD nameLength = 256, dataBytes = sizeof data, type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS || type != REG_SZ) continue;
        std::wstring entry(name, nameLength);
        const size_t bracket = entry.find(L" (");
        if (bracket != std::wstring::npos) entry.resize(bracket);
        if (SameLetters(entry, face)) file.assign(data, wcsnlen(data, dataBytes / sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return file;
}

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}

bool IsFile(const std::wstring& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string MatchFontFile(const std::string& family, bool bold) {
    const std::wstring wanted = WideFromUtf8(family);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        std::wstring file = InstalledFontFile(root, wanted, bold);
        if (!file.empty() && file.find(L'\\') == std::wstring::npos)
            file = FontsFolder() + L"\\" + file;
        if (IsFile(file)) return Utf8FromWide(file);
    }
    // The package's own copy, in the fonts folder beside the executable.
    const ShippedFace* shipped = &shippedFaces[0];
    for (const ShippedFace& face : shippedFaces)
        if (SameLetters(face.family, wanted)) shipped = &face;
    const std::wstring file =
        ExecutableFolder() + L"\\fonts\\" + (bold ? shipped->bold : shipped->regular);
    return IsFile(file) ? Utf8FromWide(file) : std::string();
}
