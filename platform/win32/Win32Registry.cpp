#include "platform/win32/Win32Registry.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace hastelyn::win32 {
namespace {

using platform::KeyHandle;
using platform::RootKey;

HKEY rootHandle(RootKey root) {
    switch (root) {
        case RootKey::ClassesRoot: return HKEY_CLASSES_ROOT;
        case RootKey::CurrentUser: return HKEY_CURRENT_USER;
        case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RootKey::Users: return HKEY_USERS;
        case RootKey::CurrentConfig: return HKEY_CURRENT_CONFIG;
        case RootKey::DynData: return HKEY_DYN_DATA;
        case RootKey::PerformanceData: return HKEY_PERFORMANCE_DATA;
    }
    return nullptr;
}

HKEY hkey(KeyHandle key) { return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key.value)); }
KeyHandle handleOf(HKEY key) { return KeyHandle{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key))}; }

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

long Win32Registry::openKey(RootKey root, std::string_view subKey, platform::KeyAccess access, KeyHandle& out) {
    out = {};
    HKEY key = nullptr;
    const REGSAM sam = access == platform::KeyAccess::Full ? KEY_ALL_ACCESS : KEY_READ;
    const LONG result = RegOpenKeyExW(rootHandle(root), widen(subKey).c_str(), 0, sam, &key);
    if (result == ERROR_SUCCESS) out = handleOf(key);
    return result;
}

long Win32Registry::createKey(RootKey root, std::string_view subKey, KeyHandle& out) {
    out = {};
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(rootHandle(root), widen(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) out = handleOf(key);
    return result;
}

long Win32Registry::closeKey(KeyHandle key) { return RegCloseKey(hkey(key)); }

long Win32Registry::queryValue(KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* size) {
    if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
    const std::wstring valueName = widen(name);
    if (hkey(key) == HKEY_PERFORMANCE_DATA) {
        // Collected afresh at every call and never text: one call with the caller's buffer, as
        // a size probe first would collect it twice for nothing (its size is no promise).
        DWORD passedType = REG_NONE;
        DWORD passedSize = size != nullptr ? *size : 0;
        const LONG result = RegQueryValueExW(hkey(key), valueName.c_str(), nullptr, &passedType, data,
                                             size != nullptr ? &passedSize : nullptr);
        if (type != nullptr) *type = passedType;
        if (size != nullptr) *size = passedSize;
        return result;
    }
    // Another program may change the value between the calls below; a few tries settle it.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD storedType = REG_NONE;
        DWORD storedSize = 0;
        LONG result = RegQueryValueExW(hkey(key), valueName.c_str(), nullptr, &storedType, nullptr, &storedSize);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return result;

        if (result == ERROR_MORE_DATA || !isText(storedType)) {
            // Not text: the caller's buffer takes the bytes as Windows has them.
            DWORD passedType = REG_NONE;
            DWORD passedSize = size != nullptr ? *size : 0;
            result = RegQueryValueExW(hkey(key), valueName.c_str(), nullptr, &passedType, data,
                                      size != nullptr ? &passedSize : nullptr);
            if ((result == ERROR_SUCCESS || result == ERROR_MORE_DATA) && isText(passedType)) continue;
            if (type != nullptr) *type = passedType;
            if (size != nullptr) *size = passedSize;
            return result;
        }

        std::vector<wchar_t> stored(storedSize / sizeof(wchar_t) + 1, L'\0');
        DWORD readSize = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
        result = RegQueryValueExW(hkey(key), valueName.c_str(), nullptr, &storedType,
                                  reinterpret_cast<BYTE*>(stored.data()), &readSize);
        if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && !isText(storedType))) continue;
        if (result != ERROR_SUCCESS) return result;

        const std::string text = narrow(std::wstring_view(stored.data(), readSize / sizeof(wchar_t)));
        return platform::copyValueData(storedType, text, type, data, size);
    }
    return ERROR_MORE_DATA;
}

long Win32Registry::setValue(KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                             std::uint32_t size) {
    if (data == nullptr && size > 0) return ERROR_INVALID_PARAMETER;
    const std::wstring valueName = widen(name);
    if (!isText(type))
        return RegSetValueExW(hkey(key), valueName.c_str(), 0, type, data, size);
    std::wstring text =
        data != nullptr ? widen(std::string_view(reinterpret_cast<const char*>(data), size)) : std::wstring();
    const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    // RegSetValueEx stores one more character when the text lacks its terminating NUL and the
    // memory right after the data holds one; a non-NUL there keeps the data as it was given.
    text.push_back(L'\x1');
    return RegSetValueExW(hkey(key), valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()), bytes);
}

long Win32Registry::deleteValue(KeyHandle key, std::string_view name) {
    return RegDeleteValueW(hkey(key), widen(name).c_str());
}

long Win32Registry::enumKey(KeyHandle key, std::uint32_t index, std::string& name) {
    // Key names are at most 255 characters; the larger buffer is for a registry that breaks that.
    for (const DWORD capacity : {256u, 32768u}) {
        std::vector<wchar_t> buffer(capacity);
        DWORD length = capacity;
        const LONG result = RegEnumKeyExW(hkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;
        if (result == ERROR_SUCCESS) name = narrow(std::wstring_view(buffer.data(), length));
        return result;
    }
    return ERROR_MORE_DATA;
}

long Win32Registry::enumValue(KeyHandle key, std::uint32_t index, std::string& name) {
    // Value names are at most 16383 characters.
    for (const DWORD capacity : {16384u, 32768u}) {
        std::vector<wchar_t> buffer(capacity);
        DWORD length = capacity;
        const LONG result =
            RegEnumValueW(hkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;
        if (result == ERROR_SUCCESS) name = narrow(std::wstring_view(buffer.data(), length));
        return result;
    }
    return ERROR_MORE_DATA;
}

long Win32Registry::deleteTree(KeyHandle key, std::string_view subKey) {
    return static_cast<long>(SHDeleteKeyW(hkey(key), widen(subKey).c_str()));
}

long Win32Registry::copyTree(KeyHandle key, std::string_view subKey, KeyHandle dest) {
    return static_cast<long>(SHCopyKeyW(hkey(key), widen(subKey).c_str(), hkey(dest), 0));
}

}  // namespace hastelyn::win32
