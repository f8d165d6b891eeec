// A restore point taken on a carried image, every row and service changed, then the restore
// point put back: every row reads as before and the machine's hives and files are as they were,
// byte for byte, but for the records the restore keeps on purpose.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "engine/RestorePoint.h"
#include "foundation/OpenKey.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

// The images' hives are written by hand (expand:"..."); the sandbox writes a hive back in
// regedit's own form. One write that changes nothing in each hive the rows touch puts it in that
// form, so that the hives can be compared byte for byte afterwards.
void rewriteHives(EngineFixture& fx) {
    platform::Registry& registry = fx.platform().registry;
    for (RootKey root : {RootKey::LocalMachine, RootKey::CurrentUser, RootKey::ClassesRoot}) {
        platform::KeyHandle top;
        ASSERT_EQ(registry.openKey(root, "", platform::KeyAccess::Full, top), platform::win32error::Success);
        { foundation::OpenKey made(registry, root, "RoundTripScratch", foundation::OpenKey::Create); }
        EXPECT_EQ(registry.deleteTree(top, "RoundTripScratch"), platform::win32error::Success);
        EXPECT_EQ(registry.closeKey(top), platform::win32error::Success);
    }
}

// Every row of the six lists with its tick and enabled flag, as a fresh start reads them.
std::string rowsAtStart(EngineFixture& fx) {
    fx.restartAndRead();
    std::string out;
    const auto add = [&](const std::vector<Row>& rows) {
        for (const Row& row : rows) out += row.label + (row.ticked ? " 1" : " 0") + (row.enabled ? "1\n" : "0\n");
    };
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c) add(fx.session().model.tweakList(c).rows);
    add(fx.session().model.services().rows);
    return out;
}

// The machine's files as a program leaves them, without what only records that something ran:
// the journal of started commands, the window table, the named mutexes and the swap files of
// a process still at work.
std::map<std::string, std::string> machineFiles(EngineFixture& fx) {
    std::map<std::string, std::string> files = testing::filesBelow(fx.folder());
    std::erase_if(files, [](const auto& file) {
        const std::string& name = file.first;
        return name == "journal.log" || name.starts_with("windows/") || name.starts_with("locks/") ||
               name == ".state.lock" || name.find("/.") != std::string::npos;
    });
    return files;
}

// A profile file's section and its lines, "" when it has none.
std::string sectionOf(const std::string& text, const std::string& section) {
    const std::size_t start = text.find("[" + section + "]\r\n");
    if (start == std::string::npos) return "";
    const std::size_t end = text.find("\r\n[", start + 1);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

TEST(RestorePointRoundTrip, EveryRowAndServiceChangedThenRestoredOnXpAnd98) {
    struct Case {
        const char* image;
        const char* bootFile;  // relative to the machine folder
    };
    const std::string point = "C:\\Program Files\\Hastelyn\\復元ポイント round trip.ini";
    const std::string settings = "drives/C/Program Files/Hastelyn/Hastelyn.ini";
    for (const Case& c : {Case{"xp", "drives/C/boot.ini"}, Case{"98", "drives/C/Msdos.sys"}}) {
        SCOPED_TRACE(c.image);
        EngineFixture fx(c.image);
        rewriteHives(fx);
        const std::string rowsBefore = rowsAtStart(fx);
        Session& s = fx.session();
        WriteRestorePoint(s, point);
        const std::uint32_t bootAttributes = fx.platform().files.getFileAttributes(s.paths.boot);
        const auto before = machineFiles(fx);

        for (std::size_t category = 0; category < kTweakCategoryCount; ++category) fx.tickAll(category, true);
        for (Row& row : s.model.services().rows) row.ticked = true;
        applyPass(s);
        fx.dialogs().shown.clear();
        ApplyRestorePoint(s, point);
        EXPECT_EQ(rowsAtStart(fx), rowsBefore);

        auto after = machineFiles(fx);
        // Every hive, the services' states, sysoc.inf and the boot file, byte for byte.
        for (const auto& [name, bytes] : before) {
            if (name == settings || name == "attributes.ini" || name == "dlls.ini") continue;
            const auto now = after.find(name);
            if (now == after.end())
                ADD_FAILURE() << "gone: " << name;
            else
                EXPECT_TRUE(now->second == bytes) << name << "\n" << now->second;
        }

        // What the restore keeps on purpose.
        // - The settings file's records of the rows: they say what the machine holds now
        //   (nothing of System ⑨ is out of sysoc.inf, the former start types of the services it
        //   started or stopped again, the wallpaper that the restore replaced, the compressed
        //   folders registered again), and the count of runs that changed the machine.
        //   Every other line is as it was.
        auto withoutRecords = [](std::string text) {
            for (const char* section : {"システム9", "デスクトップ", "デスクトップ10", "エクスプローラ", "その他", "不要サービス", "Machine"}) {
                const std::string lines = sectionOf(text, section);
                if (!lines.empty()) text.erase(text.find(lines), lines.size());
            }
            return text;
        };
        const std::string settingsAfter = after.at(settings);
        EXPECT_EQ(withoutRecords(settingsAfter), withoutRecords(before.at(settings)));
        EXPECT_EQ(sectionOf(settingsAfter, "システム9"), std::string(c.image) == "xp" ? "[システム9]\r\n" : "");
        EXPECT_EQ(sectionOf(settingsAfter, "エクスプローラ"),
                  std::string(c.image) == "xp" ? "[エクスプローラ]\r\n8=false\r\n" : "");
        // - The boot file lost its read-only attribute to the profile writer, which never sets it
        //   again; its copy from before the first change stays beside it.
        EXPECT_EQ(fx.platform().files.getFileAttributes(fx.session().paths.boot),
                  bootAttributes & ~platform::fileattr::ReadOnly);
        EXPECT_TRUE(after.contains(std::string(c.bootFile) + ".hastelyn-backup"));
        // - regsvr32 lists the DLLs it registered again; unlisted ones counted as registered.
        if (after.contains("dlls.ini")) {
            EXPECT_EQ(after.at("dlls.ini"), "[Registered]\r\ncabview.dll=1\r\nzipfldr.dll=1\r\n");
        }
        for (const auto& [name, bytes] : after) {
            if (!before.contains(name) && name != std::string(c.bootFile) + ".hastelyn-backup" && name != "dlls.ini")
                ADD_FAILURE() << "new file " << name;
        }
        // On 98 the rows the edition switches off are not restored: no System ⑨ error and no
        // shell-restart question. What is left is the PC-information question.
        ASSERT_EQ(fx.dialogs().shown.size(), 1u);
        EXPECT_EQ(fx.dialogs().shown[0].second, "\r\n復元ポイント時の使用者/会社名/コンピュータ名を復元しますか？");
    }
}

}  // namespace
}  // namespace hastelyn::engine
