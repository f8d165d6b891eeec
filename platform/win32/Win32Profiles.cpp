#include "platform/win32/Win32Profiles.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/win32/LastError.h"
#include "platform/win32/WideText.h"

namespace hastelyn::win32 {
namespace {

// The largest result asked of Windows: far beyond any line the program writes.
constexpr DWORD kMaxBuffer = 1u << 22;

// The file the profile functions use: a bare file name lies in the Windows folder.
std::wstring profilePath(const std::wstring& file) {
    if (file.find_first_of(L"\\/:") != std::wstring::npos) return file;
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return file;
    return std::wstring(folder, length) + L"\\" + file;
}

// GetPrivateProfileStringW with a buffer large enough for the whole result. truncatedBy is
// how far below the buffer size the result stops when it did not fit (1 for a value, 2 for a
// list of names).
std::wstring readProfile(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                         const std::wstring& file, DWORD truncatedBy) {
    std::vector<wchar_t> buffer;
    for (DWORD capacity = 4096;; capacity *= 4) {
        buffer.assign(capacity, L'\0');
        const DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer.data(), capacity, file.c_str());
        if (length + truncatedBy < capacity || capacity >= kMaxBuffer) return std::wstring(buffer.data(), length);
    }
}

// True when the system's ANSI code page has every character of the text.
bool fitsAnsi(const std::wstring& text) {
    if (text.empty() || GetACP() == CP_UTF8) return true;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                        &usedDefault);
    return usedDefault == FALSE;
}

constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};

std::optional<std::string> readWholeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool writeNewFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
                    written == bytes.size();
    CloseHandle(file);
    if (!ok) DeleteFileW(path.c_str());
    return ok;
}

// Makes the file a Unicode profile file: a missing one is made holding only the byte-order mark,
// an ANSI one is written again in UTF-16 and takes the old one's place, with its attributes.
// Should that fail, the write that follows fails or writes ANSI as Windows would.
void makeUnicodeFile(const std::wstring& path) {
    const std::string mark(reinterpret_cast<const char*>(kByteOrderMark), sizeof kByteOrderMark);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        writeNewFile(path, mark);
        return;
    }
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes || bytes->starts_with(mark)) return;
    std::string unicode = mark;
    if (!bytes->empty()) {
        const int size = static_cast<int>(bytes->size());
        const int units = MultiByteToWideChar(CP_ACP, 0, bytes->data(), size, nullptr, 0);
        std::wstring text(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes->data(), size, text.data(), units);
        unicode.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    }
    const std::wstring replacement = path + L".unicode~";
    DeleteFileW(replacement.c_str());
    if (!writeNewFile(replacement, unicode)) return;
    if (ReplaceFileW(path.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        SetFileAttributesW(path.c_str(), attributes);
    else
        DeleteFileW(replacement.c_str());
}

}  // namespace

std::string Win32Profiles::getString(std::string_view file, std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    const std::wstring value =
        readProfile(widen(section).c_str(), widen(key).c_str(), widen(defaultValue).c_str(), widen(file), 1);
    return narrow(cutToAnsiLength(value, bufferSize - 1));
}

std::vector<std::string> Win32Profiles::getKeyNames(std::string_view file, std::string_view section,
                                                    std::size_t bufferSize) {
    std::vector<std::string> names;
    if (bufferSize < 2) return names;
    const std::wstring list = readProfile(widen(section).c_str(), nullptr, L"", widen(file), 2);
    // Each name and its NUL, then a final NUL; what does not fit is cut off, the last name
    // that fits only in part cut short.
    std::size_t room = bufferSize - 2;
    std::size_t at = 0;
    while (at < list.size()) {
        std::size_t end = list.find(L'\0', at);
        if (end == std::wstring::npos) end = list.size();
        const std::wstring_view name(list.data() + at, end - at);
        at = end + 1;
        if (name.empty()) continue;
        const std::size_t width = ansiLength(name);
        if (width + 1 <= room) {
            names.push_back(narrow(name));
            room -= width + 1;
            continue;
        }
        const std::wstring_view cut = cutToAnsiLength(name, room);
        if (!cut.empty()) names.push_back(narrow(cut));
        break;
    }
    return names;
}

platform::CallResult Win32Profiles::writeString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                                std::optional<std::string_view> value) {
    const std::wstring path = widen(file);
    const std::wstring sectionName = widen(section);
    const std::wstring keyName = key ? widen(*key) : std::wstring();
    const std::wstring text = value ? widen(*value) : std::wstring();
    // Only a write that adds text can need more than the ANSI code page: a name it lacks cannot
    // be in an ANSI file to be removed.
    if (key && value && !(fitsAnsi(sectionName) && fitsAnsi(keyName) && fitsAnsi(text)))
        makeUnicodeFile(profilePath(path));
    if (WritePrivateProfileStringW(sectionName.c_str(), key ? keyName.c_str() : nullptr,
                                   key && value ? text.c_str() : nullptr, path.c_str()))
        return {};
    return lastCallError();
}

platform::CallResult Win32Profiles::writeStrings(std::string_view file, const std::vector<platform::ProfileWrite>& writes) {
    struct Wide {
        std::wstring section, key, value;
    };
    std::vector<Wide> wide;
    wide.reserve(writes.size());
    bool fits = true;
    for (const platform::ProfileWrite& w : writes) {
        wide.push_back({widen(w.section), widen(w.key), widen(w.value)});
        fits = fits && fitsAnsi(wide.back().section) && fitsAnsi(wide.back().key) && fitsAnsi(wide.back().value);
    }
    const std::wstring path = widen(file);
    if (!fits) makeUnicodeFile(profilePath(path));
    for (const Wide& w : wide) {
        if (!WritePrivateProfileStringW(w.section.c_str(), w.key.c_str(), w.value.c_str(), path.c_str()))
            return lastCallError();
    }
    return {};
}

}  // namespace hastelyn::win32
