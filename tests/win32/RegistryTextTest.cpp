// What can break between the program's UTF-8 and the wide registry API: Japanese names on a
// system whose ANSI code page has no Japanese, and the sizes that string data reports.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Registry.h"
#include "tests/win32/Win32TestSupport.h"

namespace hastelyn::win32test {
namespace {

using platform::KeyHandle;
using platform::RootKey;
namespace err = platform::win32error;
namespace regtype = platform::regtype;

class Win32Registry : public ::testing::Test {
protected:
    void TearDown() override {
        for (const KeyHandle key : open_) registry_.closeKey(key);
    }
    KeyHandle create(const std::string& below) {
        KeyHandle key;
        EXPECT_EQ(registry_.createKey(RootKey::CurrentUser, scratch_.path() + "\\" + below, key), err::Success);
        if (key) open_.push_back(key);
        return key;
    }
    long set(KeyHandle key, std::string_view name, std::uint32_t type, std::string_view bytes) {
        return registry_.setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size()));
    }
    // The value as Windows keeps it, read past the backend.
    std::wstring stored(const std::wstring& below, const std::wstring& name) {
        HKEY key = nullptr;
        const std::wstring path = win32::widen(scratch_.path()) + L"\\" + below;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
        wchar_t data[256] = {};
        DWORD size = sizeof data;
        const LONG result = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS ? std::wstring(data, size / sizeof(wchar_t)) : L"<no value>";
    }

    ScratchKey scratch_{"HastelynWin32 日本語"};
    win32::Win32Registry registry_;
    std::vector<KeyHandle> open_;
};

TEST_F(Win32Registry, JapaneseNamesAndDataAreKeptAsUnicodeWhateverTheCodePage) {
    SCOPED_TRACE("ANSI code page " + std::to_string(GetACP()));
    const KeyHandle key = create("ソフト\\表示");
    ASSERT_TRUE(key);
    ASSERT_EQ(set(key, "値の名前", regtype::Sz, std::string("日本語のデータ") + '\0'), err::Success);
    ASSERT_EQ(set(key, "一覧", regtype::MultiSz, std::string("日本\0語\0\0", 12)), err::Success);
    // Windows holds the text itself, not what an ANSI code page without Japanese makes of it.
    EXPECT_EQ(stored(L"ソフト\\表示", L"値の名前"), std::wstring(L"日本語のデータ") + L'\0');
    EXPECT_EQ(stored(L"ソフト\\表示", L"一覧"), std::wstring(L"日本\0語\0\0", 6));

    // What another program wrote through the wide API reads as UTF-8, and names list as UTF-8.
    HKEY raw = nullptr;
    const std::wstring path = win32::widen(scratch_.path()) + L"\\ソフト\\表示";
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
    const std::wstring text = L"オン";
    RegSetValueExW(raw, L"音声", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(raw);
    char data[32] = {};
    std::uint32_t type = 0, size = sizeof data;
    ASSERT_EQ(registry_.queryValue(key, "音声", &type, reinterpret_cast<std::uint8_t*>(data), &size), err::Success);
    EXPECT_EQ(type, regtype::ExpandSz);
    EXPECT_EQ(std::string(data, size), std::string("オン") + '\0');

    std::string name;
    KeyHandle parent;
    ASSERT_EQ(registry_.openKey(RootKey::CurrentUser, scratch_.path() + "\\ソフト", platform::KeyAccess::Query, parent),
              err::Success);
    open_.push_back(parent);
    EXPECT_EQ(registry_.enumKey(parent, 0, name), err::Success);
    EXPECT_EQ(name, "表示");
    std::vector<std::string> values;
    for (std::uint32_t i = 0; registry_.enumValue(key, i, name) == err::Success; ++i) values.push_back(name);
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"一覧", "値の名前", "音声"}));

}

// String data reports its size in bytes of UTF-8, the program's ANSI: what a caller must
// allocate, not the size of the UTF-16 that Windows keeps.
TEST_F(Win32Registry, StringSizesCountUtf8BytesAndMoreDataSaysHowMany) {
    const KeyHandle key = create("Sizes");
    const std::string japanese = std::string("日本語") + '\0';  // 10 bytes of UTF-8, 8 of UTF-16
    ASSERT_EQ(set(key, "Japanese", regtype::Sz, japanese), err::Success);
    ASSERT_EQ(set(key, "Binary", regtype::Binary, "\x01\x02\x03\x04\x05"), err::Success);

    std::uint32_t type = 0, size = 0;
    ASSERT_EQ(registry_.queryValue(key, "Japanese", &type, nullptr, &size), err::Success);
    EXPECT_EQ(size, 10u);
    std::string buffer(32, '#');
    size = 9;
    EXPECT_EQ(registry_.queryValue(key, "Japanese", &type, reinterpret_cast<std::uint8_t*>(buffer.data()), &size),
              err::MoreData);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(buffer[0], '#') << "nothing is copied into a buffer that is too small";
    size = 32;
    ASSERT_EQ(registry_.queryValue(key, "Japanese", &type, reinterpret_cast<std::uint8_t*>(buffer.data()), &size),
              err::Success);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(buffer.substr(0, size), japanese);
    EXPECT_EQ(buffer[10], '#');

    // Other types pass as Windows has them, MoreData included.
    size = 4;
    EXPECT_EQ(registry_.queryValue(key, "Binary", &type, reinterpret_cast<std::uint8_t*>(buffer.data()), &size),
              err::MoreData);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(type, regtype::Binary);
    EXPECT_EQ(registry_.queryValue(key, "Missing", &type, nullptr, &size), err::FileNotFound);
}

}  // namespace
}  // namespace hastelyn::win32test
