// Reads arbitrary bytes as a hive's journal: after an even first byte the rest is the journal's
// body as it stands, after an odd one records (separated by lines "--") framed here, so that
// their hashes hold. Whatever the journal holds, it is read in bounded depth, and the hive it
// gives writes out and reads back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sandbox/registry/HiveFileReader.h"
#include "platform/sandbox/registry/HiveFileWriter.h"
#include "platform/sandbox/registry/HiveJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace sandbox = hastelyn::sandbox;
    using hastelyn::platform::RootKey;
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("fuzz-" + std::to_string(::getpid()) + ".journal");
    std::filesystem::remove(file);
    const sandbox::FileStamp hive{};  // a journal of a hive without a file
    sandbox::HiveJournal journal(file);
    if (data[0] % 2 == 0) {
        if (!journal.append(hive, sandbox::HiveJournal::keyRecord({}))) std::abort();
        std::ofstream(file, std::ios::app | std::ios::binary) << bytes;
    } else {
        for (std::size_t start = 0, end = 0; start <= bytes.size(); start = end + 4) {
            end = std::min(bytes.find("\n--\n", start), bytes.size());
            if (!journal.append(hive, bytes.substr(start, end - start))) std::abort();
        }
    }
    sandbox::HiveKey root;
    bool applied = false;
    if (!sandbox::HiveJournal(file).read(hive, root, &applied)) std::abort();
    std::filesystem::remove(file);
    const std::string text = sandbox::writeHiveFile(root, "HKEY_LOCAL_MACHINE");
    if (!(*sandbox::parseHiveFile(text, RootKey::LocalMachine) == root)) std::abort();
    return 0;
}
