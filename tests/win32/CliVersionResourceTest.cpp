// hastelyn-cli.exe and Hastelyn.exe carry the project's version where Windows looks for it (file
// properties, version tools): their version resources, read back through the version API; and the
// program's icon, which Explorer shows for the file. This test program links Hastelyn.exe's
// resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace hastelyn::win32test {
namespace {

TEST(CliVersionResource, CarriesTheProjectVersionAndIcon) {
    wchar_t path[MAX_PATH * 2];
    const std::wstring tests(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 2));
    for (const std::wstring& program :
         {tests.substr(0, tests.find_last_of(L'\\') + 1) + win32::widen(HASTELYN_CLI_FROM_TESTS), tests}) {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &handle);
        ASSERT_GT(size, 0u) << win32::narrow(program);
        EXPECT_GT(ExtractIconExW(program.c_str(), -1, nullptr, nullptr, 0), 0u) << win32::narrow(program);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)),
                  HASTELYN_VERSION);
        for (const wchar_t* name : {L"\\StringFileInfo\\041104B0\\FileVersion", L"\\StringFileInfo\\041104B0\\ProductVersion"}) {
            wchar_t* text = nullptr;
            ASSERT_TRUE(VerQueryValueW(block.data(), name, reinterpret_cast<void**>(&text), &length)) << win32::narrow(name);
            EXPECT_EQ(win32::narrow(text), HASTELYN_VERSION);
        }
    }
}

}  // namespace
}  // namespace hastelyn::win32test
