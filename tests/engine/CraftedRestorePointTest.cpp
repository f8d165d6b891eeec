// Restore points from elsewhere: services off the list, bad status words, files cut at any byte or
// too large. Each is refused with the machine as it was, or puts back only what it records.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "engine/RestorePoint.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"
#include "tests/support/MachineState.h"

namespace hastelyn::engine {
namespace {

const char* const kPoint = "C:\\Program Files\\Hastelyn\\復元ポイント crafted.ini";
const std::string kPointHost = "drives/C/Program Files/Hastelyn/復元ポイント crafted.ini";
const char* const kNtVersion = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// XP with two listed services, a driver, a wallpaper and the PC information.
struct CraftedFixture : EngineFixture {
    CraftedFixture()
        : EngineFixture(MiniMachine()
                            .hive(RootKey::CurrentUser,
                                  {"[HKEY_CURRENT_USER\\Control Panel\\Desktop]", "\"Wallpaper\"=\"C:\\\\sea.bmp\"",
                                   "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify]",
                                   "\"IconStreams\"=hex:14", "\"PastIconsStream\"=hex:01"})
                            .hive(RootKey::LocalMachine,
                                  {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]",
                                   "\"RegisteredOwner\"=\"山田 太郎\"", "\"RegisteredOrganization\"=\"山田商店\""})
                            .file("C:\\boot.ini", "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)\r\n[operating systems]\r\n"
                                                   "multi(0)=\"XP\" /fastdetect\r\n")
                            .service("Alpha", "Alpha Service", 2)
                            .service("Beta", "Beta Service", 3)
                            .service("atapi", "IDE Channel", 0, "")) {
        WriteRestorePoint(session(), kPoint);
        whole = testing::fileText(folder() / kPointHost);
    }
    void writePoint(std::string_view bytes) { std::ofstream(folder() / kPointHost, std::ios::binary) << bytes; }
    // The machine's files but the restore point, and the service commands run since a mark.
    std::map<std::string, std::string> files() {
        auto out = machineFiles();
        return out.erase(kPointHost), out;
    }
    std::multiset<std::string> serviceCommands(std::size_t from) {
        std::multiset<std::string> out;
        const std::string log = journal();
        for (std::size_t at = log.find("net st", from); at != std::string::npos; at = log.find("net st", at + 1))
            out.insert(log.substr(at, log.find('\n', at) - at));
        return out;
    }
    std::string whole;
};

TEST(CraftedRestorePoint, ServicesOutsideTheListAreIgnoredAndBadWordsRefused) {
    CraftedFixture fx;
    const auto with = [&](std::string status, std::string start) {
        std::string text = fx.whole;
        text.insert(text.find("\r\n", text.find("[不要サービス-s]")) + 2, start);
        return text.insert(text.find("\r\n", text.find("[不要サービス]")) + 2, status);
    };
    const std::string wrong = "として正しくありません。何も変更しませんでした。", start = "スタートアップの種類 (0 から 4)";
    const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
        {with("atapi=停止中\r\n", "atapi=4\r\nBeep=4\r\n"), "", {"atapi", "Beep"}},
        {with("ATAPI=停\r\n", ""), "", {"ATAPI"}},  // an ignored key's value is never looked at
        {with("Alpha=停止\r\n", ""), "[不要サービス] Alpha の値 \"停止\" は、サービスの状態" + wrong, {}},
        {with("", "Beta=9\r\n"), "[不要サービス-s] Beta の値 \"9\" は、" + start + wrong, {}},
        {with("", "Beta=-1\r\n"), "[不要サービス-s] Beta の値 \"-1\" は、" + start + wrong, {}},
        {fx.whole.substr(0, fx.whole.find("[不要サービス-s]")),
         "[不要サービス-s] がないため、サービスのスタートアップの種類がわかりません。何も変更しませんでした。", {}},
    };
    for (const auto& [file, refused, ignored] : cases) {
        SCOPED_TRACE(file);
        fx.writePoint(file);
        const auto before = fx.files();
        const std::size_t mark = fx.journal().size();
        fx.dialogs().answers = {true};
        if (refused.empty()) {
            EXPECT_EQ(ApplyRestorePoint(fx.session(), kPoint).ignoredServices, ignored);
        } else {
            EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(fx.session(), kPoint); }), refused);
            EXPECT_EQ(fx.files(), before);
        }
        EXPECT_EQ(fx.read(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Services\\atapi", "Start", RegType::DWORD), "0");
        EXPECT_TRUE(fx.serviceCommands(mark).empty());
    }
}

// Cut after any byte, a real restore point is refused with the machine as it was, or every value
// and service command it changes is one the whole file changes so: nothing blanked or started.
TEST(CraftedRestorePoint, EveryCutOfARealRestorePointIsRefusedOrPutsBackOnlyWhatItRecords) {
    CraftedFixture fx;
    Session* s = &fx.session();
    s->registry.WriteRegValue(RootKey::CurrentUser, "\\Control Panel\\Desktop", "Wallpaper", "C:\\b.bmp", RegType::String);
    s->registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", "someone", RegType::String);
    s->platform.shell.winExec("net stop \"Alpha Service\"", platform::showcmd::Hide);
    s->platform.shell.winExec("net start \"Beta Service\"", platform::showcmd::Hide);
    const auto changed = fx.machineFiles();
    auto unchanged = changed;
    unchanged.erase(kPointHost);
    const auto reset = [&] {
        for (const auto& [name, bytes] : fx.machineFiles())
            if (!changed.count(name)) std::filesystem::remove(fx.folder() / name);
        for (const auto& [name, bytes] : changed) std::ofstream(fx.folder() / name, std::ios::binary) << bytes;
        fx.restart();
        s = &fx.session();
        fx.dialogs().answers = {true};
    };
    reset();
    const auto before = testing::registryState(fx.platform());
    std::size_t mark = fx.journal().size(), refused = 0;
    ApplyRestorePoint(*s, kPoint);
    const auto restored = testing::registryState(fx.platform());
    const auto wholeCommands = fx.serviceCommands(mark);
    ASSERT_EQ(wholeCommands.size(), 2u);
    bool dirty = true;
    const std::string& whole = fx.whole;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        // A last line cut before its "=" is no entry: the file reads as the one cut at the
        // line's start, which is applied in its turn; so does one cut between CR and LF.
        const std::size_t lineStart = cut == 0 ? 0 : whole.find_last_of("\r\n", cut - 1) + 1;
        if ((lineStart < cut && whole.substr(lineStart, cut - lineStart).find('=') == std::string::npos) ||
            whole.substr(cut - (cut > 0), 2) == "\r\n")
            continue;
        if (std::exchange(dirty, true)) reset();  // after a refusal the machine is as it was
        fx.writePoint(whole.substr(0, cut));
        mark = fx.journal().size();
        try {
            ApplyRestorePoint(*s, kPoint);
        } catch (const foundation::CommandError&) {
            ++refused;
            dirty = false;
            ASSERT_EQ(fx.files(), unchanged);
            continue;
        }
        for (const auto& [target, value] : testing::stateChanges(before, testing::registryState(fx.platform())))
            ASSERT_TRUE(restored.count(target) && value == restored.at(target)) << target;
        for (const std::string& command : fx.serviceCommands(mark)) ASSERT_TRUE(wholeCommands.count(command)) << command;
    }
    EXPECT_GT(refused, 500u);
}

// Too large, too many lines or sections: refused from the file's size and shape, quickly.
TEST(CraftedRestorePoint, FilesBeyondTheBoundsAreRefusedBeforeTheyAreRead) {
    CraftedFixture fx;
    const auto before = fx.files();
    const std::string many = "行またはセクションが多すぎます (上限 20000 行、100 セクション)。何も変更しませんでした。";
    std::string sections;
    for (int i = 0; i < 4000000; ++i) sections += "[s" + std::to_string(i % 10) + "]\n";  // 67 MB
    const std::pair<std::string, std::string> cases[] = {
        {sections, "大きすぎます (上限 16 MiB)。何も変更しませんでした。"},
        {sections.substr(0, 101 * 5), many},
        {std::string(20001, '\n'), many},
    };
    for (const auto& [text, why] : cases) {
        fx.writePoint(text);
        EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(fx.session(), kPoint); }),
                  std::string("ファイル \"") + kPoint + "\" は、復元ポイントとして読むには" + why);
    }
    EXPECT_EQ(fx.files(), before);
}

}  // namespace
}  // namespace hastelyn::engine
