// Restore points from elsewhere: services the program does not list, status words cut or made
// up, values with line breaks, files cut short at any byte, and files too large to read. Each is
// refused before any change, or puts back only what it records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "engine/RestorePoint.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"
#include "tests/support/MachineState.h"

namespace hastelyn::engine {
namespace {

const char* const kPoint = "C:\\Program Files\\Hastelyn\\復元ポイント crafted.ini";
const char* const kPointHost = "Program Files/Hastelyn/復元ポイント crafted.ini";
const char* const kNtVersion = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kDesktop = "\\Control Panel\\Desktop";

// XP with two listed services, a driver, a wallpaper and the PC information; a restore asks only
// the PC-information question.
MiniMachine craftedMachine() {
    MiniMachine m;
    m.hive(RootKey::CurrentUser, {"[HKEY_CURRENT_USER\\Control Panel\\Desktop]", "\"Wallpaper\"=\"C:\\\\sea.bmp\"",
                                  "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify]",
                                  "\"IconStreams\"=hex:14", "\"PastIconsStream\"=hex:01"});
    m.hive(RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]", "\"RegisteredOwner\"=\"山田 太郎\"",
            "\"RegisteredOrganization\"=\"山田商店\"",
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName]",
            "\"ComputerName\"=\"YAMADA-PC\""});
    m.file("C:\\boot.ini", "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)\\WINDOWS\r\n[operating systems]\r\n"
                           "multi(0)\\WINDOWS=\"XP\" /fastdetect\r\n");
    m.service("Alpha", "Alpha Service", 2).service("Beta", "Beta Service", 3).service("atapi", "IDE Channel", 0, "");
    return m;
}

// The service commands of the journal from a mark on.
std::multiset<std::string> serviceCommands(EngineFixture& fx, std::size_t from) {
    std::multiset<std::string> out;
    std::istringstream lines(fx.journal().substr(from));
    for (std::string line; std::getline(lines, line);)
        if (line.find("net st") != std::string::npos) out.insert(line.substr(line.find("net st")));
    return out;
}

void writePoint(EngineFixture& fx, std::string_view bytes) {
    std::ofstream(fx.folder() / "drives/C" / kPointHost, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(CraftedRestorePoint, ServicesOutsideTheListAreIgnoredAndBadWordsRefused) {
    EngineFixture fx(craftedMachine());
    WriteRestorePoint(fx.session(), kPoint);
    const std::string real = fx.driveCText(kPointHost);
    const auto with = [&](std::string_view status, std::string_view start) {
        std::string text = real;
        const std::string starts = "[不要サービス-s]\r\n", states = "[不要サービス]\r\n";
        text.insert(text.find(starts) + starts.size(), start);
        text.insert(text.find(states) + states.size(), status);
        return text;
    };
    const std::string refusedStatus = "[不要サービス] Alpha の値 \"停止\" は、サービスの状態として正しくありません。何も変更しませんでした。";
    const auto refusedStart = [](std::string_view value) {
        return "[不要サービス-s] Beta の値 \"" + std::string(value) +
               "\" は、スタートアップの種類 (0 から 4)として正しくありません。何も変更しませんでした。";
    };
    struct Case {
        std::string file, refused;
        std::vector<std::string> ignored;
    } cases[] = {
        {with("atapi=停止中\r\n", "atapi=4\r\nBeep=4\r\n"), "", {"atapi", "Beep"}},
        {with("ATAPI=停\r\n", ""), "", {"ATAPI"}},  // an ignored key's value is never looked at
        {with("Alpha=停止\r\n", ""), refusedStatus, {}},
        {with("", "Beta=9\r\n"), refusedStart("9"), {}},
        {with("", "Beta=\r\n"), refusedStart(""), {}},
        {with("", "Beta=-1\r\n"), refusedStart("-1"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writePoint(fx, c.file);
        const auto before = fx.machineFiles();
        const std::size_t journal = fx.journal().size();
        fx.dialogs().answers = {true};
        if (!c.refused.empty()) {
            EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(fx.session(), kPoint); }), c.refused);
            EXPECT_EQ(fx.machineFiles(), before);
            EXPECT_TRUE(fx.dialogs().shown.empty());
        } else {
            EXPECT_EQ(ApplyRestorePoint(fx.session(), kPoint).ignoredServices, c.ignored);
            EXPECT_EQ(fx.read(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Services\\atapi", "Start", RegType::DWORD), "0");
        }
        EXPECT_TRUE(serviceCommands(fx, journal).empty());
        fx.dialogs().shown.clear();
    }
}

// A name with a line break keeps its first line in the documented key (what older programs read)
// and its whole text in the exact section; no line of the file starts inside a value.
TEST(CraftedRestorePoint, ValuesWithLineBreaksComeBackWholeAndBreakNoLine) {
    EngineFixture fx(craftedMachine());
    Session& s = fx.session();
    const std::string owner = "山田\r\n[パソコン情報]\r\n3=EVIL", organisation = " \"a\" ";
    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", owner, RegType::String);
    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization", organisation, RegType::String);
    WriteRestorePoint(s, kPoint);
    const std::string file = fx.driveCText(kPointHost);
    EXPECT_NE(file.find("[パソコン情報]\r\n1=山田\r\n2=\"a\" \r\n3=YAMADA-PC\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("EVIL\r\n"), std::string::npos) << file;

    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", "X", RegType::String);
    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization", "Y", RegType::String);
    fx.dialogs().answers = {true};
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", RegType::String), owner);
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization", RegType::String), organisation);
}

// Cut after any byte, a real restore point is refused with the machine as it was, or every value
// it changes ends as the whole file puts it back, and every service command it runs is one the
// whole file runs: no name or wallpaper blanked, no service started by a cut word.
TEST(CraftedRestorePoint, EveryCutOfARealRestorePointIsRefusedOrPutsBackOnlyWhatItRecords) {
    EngineFixture fx(craftedMachine());
    WriteRestorePoint(fx.session(), kPoint);
    const std::string whole = fx.driveCText(kPointHost);
    Session* s = &fx.session();
    s->registry.WriteRegValue(RootKey::CurrentUser, kDesktop, "Wallpaper", "C:\\other.bmp", RegType::String);
    s->registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", "someone", RegType::String);
    s->platform.shell.winExec("net stop \"Alpha Service\"", platform::showcmd::Hide);
    s->platform.shell.winExec("net start \"Beta Service\"", platform::showcmd::Hide);
    const auto changed = fx.machineFiles();
    const auto reset = [&] {
        for (const auto& [name, bytes] : fx.machineFiles())
            if (!changed.count(name)) std::filesystem::remove(fx.folder() / name);
        for (const auto& [name, bytes] : changed) std::ofstream(fx.folder() / name, std::ios::binary) << bytes;
        fx.restart();
        s = &fx.session();
        fx.dialogs().answers = {true};
    };
    reset();
    const auto stateBefore = testing::registryState(fx.platform());
    std::size_t mark = fx.journal().size();
    ApplyRestorePoint(*s, kPoint);
    const auto wholeState = testing::registryState(fx.platform());
    const auto wholeCommands = serviceCommands(fx, mark);
    ASSERT_EQ(wholeCommands.size(), 2u);

    std::size_t refused = 0;
    bool dirty = true;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        // A last line cut before its "=" is no entry: the file reads as the one cut at the
        // line's start, which is applied in its turn.
        const std::size_t lineStart = cut == 0 ? 0 : whole.find_last_of("\r\n", cut - 1) + 1;
        if ((lineStart < cut && whole.substr(lineStart, cut - lineStart).find('=') == std::string::npos) ||
            whole.substr(cut - (cut > 0), 2) == "\r\n")
            continue;
        if (std::exchange(dirty, true)) reset();  // after a refusal the machine is as it was
        writePoint(fx, whole.substr(0, cut));
        mark = fx.journal().size();
        try {
            ApplyRestorePoint(*s, kPoint);
        } catch (const foundation::CommandError&) {
            ++refused;
            auto now = fx.machineFiles();
            now.erase("drives/C/" + std::string(kPointHost));
            auto was = changed;
            was.erase("drives/C/" + std::string(kPointHost));
            ASSERT_EQ(now, was);
            dirty = false;
            continue;
        }
        for (const auto& [target, value] : testing::stateChanges(stateBefore, testing::registryState(fx.platform()))) {
            const auto expected = wholeState.find(target);
            ASSERT_TRUE(expected != wholeState.end() && value == expected->second) << target;
        }
        for (const std::string& command : serviceCommands(fx, mark)) ASSERT_TRUE(wholeCommands.count(command)) << command;
    }
    EXPECT_GT(refused, 500u);
}

// Too large, too many lines or sections: refused from the file's size and shape alone, quickly.
TEST(CraftedRestorePoint, FilesBeyondTheBoundsAreRefusedBeforeTheyAreRead) {
    EngineFixture fx(craftedMachine());
    const auto before = fx.machineFiles();
    const std::string message = std::string("ファイル \"") + kPoint + "\" は、復元ポイントとして読むには";
    const std::string many = "行またはセクションが多すぎます (上限 20000 行、100 セクション)。何も変更しませんでした。";
    std::string sections;
    for (int i = 0; i < 4000000; ++i) sections += "[s" + std::to_string(i % 10) + "]\n";  // 67 MB
    const std::pair<std::string, std::string> cases[] = {
        {sections, "大きすぎます (上限 16 MiB)。何も変更しませんでした。"},
        {sections.substr(0, 101 * 5), many},
        {std::string(20001, '\n') + "[パソコン情報]\r\n1=x\r\n", many},
    };
    for (const auto& [text, why] : cases) {
        writePoint(fx, text);
        EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(fx.session(), kPoint); }), message + why);
    }
    std::filesystem::remove(fx.folder() / "drives/C" / kPointHost);
    EXPECT_EQ(fx.machineFiles(), before);
}

}  // namespace
}  // namespace hastelyn::engine
