// hastelyn-cli.exe on the Windows it runs on: status, accelerate and restore against the real
// registry. It changes the system's settings, so it runs only under Wine, in the throw-away
// prefix of the test run, and from a copy of the program in a Japanese-named folder (the
// program keeps its restore points beside itself).
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "tests/win32/Win32TestSupport.h"

namespace hastelyn::win32test {
namespace {

using win32::narrow;
using win32::widen;

constexpr const wchar_t* kMemoryKey = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const wchar_t* kPagingValue = L"DisablePagingExecutive";
constexpr const wchar_t* kProgramSettings = L"Software\\Wine\\AppDefaults\\hastelyn-cli.exe";

struct CliRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// One value of a key, through the calls that Windows XP has.
LONG setKeyValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result;
}

void deleteKeyValue(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

// The DWORD as the registry holds it, or -1 when it is absent.
long long pagingValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMemoryKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return -1;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExW(key, kPagingValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : -1;
}

void setPagingValue(DWORD value) {
    setKeyValue(HKEY_LOCAL_MACHINE, kMemoryKey, kPagingValue, REG_DWORD, &value, sizeof value);
}

class CliRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        if (!runningUnderWine()) GTEST_SKIP() << "changes the system's settings: runs only in a Wine prefix";
        const std::wstring tests = modulePath();
        const std::wstring source =
            tests.substr(0, tests.find_last_of(L'\\') + 1) + widen(HASTELYN_CLI_FROM_TESTS);
        program_ = folder_.path() + "\\hastelyn-cli.exe";
        ASSERT_TRUE(CopyFileW(source.c_str(), widen(program_).c_str(), FALSE)) << narrow(source);
        // The edition the program is made for: Wine tells this program it runs on Windows XP.
        const std::wstring xp = L"winxp";
        ASSERT_EQ(setKeyValue(HKEY_CURRENT_USER, kProgramSettings, L"Version", REG_SZ, xp.c_str(),
                              static_cast<DWORD>((xp.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        before_ = pagingValue();
        setPagingValue(0);
    }
    void TearDown() override {
        if (!program_.empty()) {
            RegDeleteKeyW(HKEY_CURRENT_USER, kProgramSettings);
            if (before_ < 0)
                deleteKeyValue(HKEY_LOCAL_MACHINE, kMemoryKey, kPagingValue);
            else
                setPagingValue(static_cast<DWORD>(before_));
        }
    }

    static std::wstring modulePath() {
        wchar_t path[MAX_PATH * 2];
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
        return std::wstring(path, length);
    }

    // Runs the copied program with its output in files of the scratch folder.
    CliRun run(const std::vector<std::string>& arguments) {
        std::wstring line = L"\"" + widen(program_) + L"\"";
        for (const std::string& a : arguments) line += L" \"" + widen(a) + L"\"";
        const std::string outPath = folder_.path() + "\\out.txt";
        const std::string errPath = folder_.path() + "\\err.txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const HANDLE out = CreateFileW(widen(outPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        const HANDLE err = CreateFileW(widen(errPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = out;
        startup.hStdError = err;
        PROCESS_INFORMATION process{};
        CliRun result;
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            WaitForSingleObject(process.hProcess, 120000);
            GetExitCodeProcess(process.hProcess, &result.exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(out);
        CloseHandle(err);
        result.out = readFileBytes(outPath).value_or("");
        result.err = readFileBytes(errPath).value_or("");
        return result;
    }

    ScratchFolder folder_{"高速化 CLI"};
    std::string program_;
    long long before_ = -1;
};

// One test: the steps share the system's registry.
TEST_F(CliRoundTrip, StatusThenAccelerateThenRestore) {
    const CliRun status = run({"status"});
    ASSERT_EQ(status.exitCode, 0u) << status.err;
    const std::vector<std::string> rows = lines(status.out);
    ASSERT_GT(rows.size(), 50u) << status.out;
    EXPECT_EQ(rows[0], "System1\t0\t1\t① Windowsの基本機能をHDより高速なメモリに格納し、パフォーマンスを上げる");
    EXPECT_TRUE(rows[49].starts_with("Others10\t")) << rows[49];
    EXPECT_TRUE(rows[50].starts_with("Service:")) << rows[50];
    EXPECT_EQ(status.out.find('\r'), std::string::npos) << "lines end as on Linux";
    const CliRun json = run({"status", "--json"});
    EXPECT_EQ(json.exitCode, 0u);
    EXPECT_NE(json.out.find("{\"row\": \"System1\", \"ticked\": false, \"enabled\": true, \"label\": \"① "),
              std::string::npos);

    const CliRun cancelled = run({"accelerate", "--tick", "System1"});
    EXPECT_EQ(cancelled.out, "cancelled\n") << cancelled.err;
    EXPECT_EQ(pagingValue(), 0);

    const CliRun applied = run({"accelerate", "--tick", "System1", "--yes"});
    ASSERT_EQ(applied.exitCode, 0u) << applied.err;
    const std::vector<std::string> out = lines(applied.out);
    ASSERT_EQ(out.size(), 2u) << applied.out;
    EXPECT_EQ(out[0], "changed");
    const std::string prefix = "restore-point\t" + folder_.path() + "\\復元ポイント ";
    ASSERT_TRUE(out[1].starts_with(prefix)) << out[1];
    ASSERT_TRUE(out[1].ends_with(" (高速化設定前).ini")) << out[1];
    const std::string restorePoint = out[1].substr(std::string("restore-point\t").size());
    ASSERT_TRUE(readFileBytes(restorePoint)) << restorePoint;
    EXPECT_EQ(pagingValue(), 1);
    EXPECT_TRUE(lines(run({"status"}).out)[0].starts_with("System1\t1\t"));

    const CliRun restored = run({"restore", restorePoint, "--yes"});
    ASSERT_EQ(restored.exitCode, 0u) << restored.err;
    // Wine's regsvr32, which the restore starts, writes its complaints to the program's output.
    EXPECT_TRUE(restored.out.ends_with("\nrestored\n") || restored.out == "restored\n") << restored.out;
    EXPECT_EQ(pagingValue(), 0);
    EXPECT_EQ(run({"status"}).out, status.out);

    // A restore point named without a folder lies beside the program.
    const CliRun backup = run({"backup", "復元ポイント 手動.ini"});
    ASSERT_EQ(backup.exitCode, 0u) << backup.err;
    EXPECT_EQ(backup.out, folder_.path() + "\\復元ポイント 手動.ini\n");
    EXPECT_TRUE(readFileBytes(folder_.path() + "\\復元ポイント 手動.ini"));
    const CliRun notARestorePoint = run({"restore", folder_.path() + "\\out.txt", "--yes"});
    EXPECT_EQ(notARestorePoint.exitCode, 1u);
}

}  // namespace
}  // namespace hastelyn::win32test
