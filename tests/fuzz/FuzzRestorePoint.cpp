// Arbitrary bytes as a restore point, read as a restore reads it, and kept as a name in a new
// restore point, which must read back exactly.
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "engine/ExactValues.h"
#include "engine/RestorePointFile.h"
#include "foundation/CommandError.h"
#include "foundation/ProfileValues.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tools/machine/MachineImages.h"

namespace {

using namespace hastelyn;

void check(bool condition) {
    if (!condition) std::abort();
}

struct Machine {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("fuzz-restore-" + std::to_string(getpid()));
    bool built = (check(images::buildMachine("xp", folder).empty()), true);
    sandbox::SandboxPlatform sandboxPlatform{folder};
    foundation::ProfileValues profiles{sandboxPlatform.platform()};
    ~Machine() { std::filesystem::remove_all(folder); }
    // Replaced, not rewritten, so that the profile cache sees a new file every time.
    void put(std::string_view bytes) {
        const std::filesystem::path temp = folder / "drives/C/fuzz.tmp";
        std::ofstream(temp, std::ios::binary) << bytes;
        std::filesystem::rename(temp, folder / "drives/C/復元ポイント fuzz.ini");
    }
};

constexpr std::string_view kFile = "C:\\復元ポイント fuzz.ini";
constexpr std::string_view kWritten = "C:\\復元ポイント written.ini";
constexpr std::string_view kSections[] = {"システム", "システム9", "デスクトップ", "エクスプローラ", "起動・終了",
                                          "その他",   "不要サービス", "不要サービス-s", "パソコン情報"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Machine machine;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    machine.put(bytes);
    bool refused = false;
    try {
        engine::checkRestorePointShape(machine.sandboxPlatform.platform().files, kFile);
    } catch (const foundation::CommandError&) {
        refused = true;
    }
    if (!refused) {
        engine::RestorePointFile file(machine.profiles, std::string(kFile));
        for (std::string_view section : kSections)
            // A Shift_JIS byte read as UTF-8 takes at most three.
            for (const std::string& key : file.keys(section)) check(file.get(section, key).size() <= 3 * size);
        for (const std::string& key : file.keys(engine::kExactSection))
            if (const auto exact = engine::readExactData(file, key, file.get(engine::kExactSection, key)))
                check(exact->bytes.size() <= engine::kMaxExactBytes);
    }

    // Whatever a name holds, a new restore point keeps it whole and no line of it breaks.
    const std::string name(bytes.substr(0, 4096));
    std::filesystem::remove(machine.folder / "drives/C/復元ポイント written.ini");
    engine::RestorePointBatch batch;
    batch.put("パソコン情報", "1", name);
    batch.put("パソコン情報", "2", "after");
    batch.writeTo(machine.profiles, kWritten);
    engine::RestorePointFile written(machine.profiles, std::string(kWritten));
    if (name != "NULL") check(written.get("パソコン情報", "1") == name);
    check(written.get("パソコン情報", "2") == "after");
    return 0;
}
