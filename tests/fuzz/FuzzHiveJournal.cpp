// Reads arbitrary bytes as a hive's journal: the first byte chooses whether the rest is the
// journal's body as it stands (framing and all) or records that are framed here, so that their
// hashes hold and their fields are read. Whatever the journal holds, the registry reads it in
// bounded time and depth, and the hive it gives writes out and reads back the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/sandbox/registry/HiveFileReader.h"
#include "platform/sandbox/registry/HiveFileWriter.h"
#include "platform/sandbox/registry/HiveJournal.h"
#include "platform/sandbox/registry/KeyNames.h"
#include "platform/sandbox/util/AtomicFile.h"

namespace {

namespace fs = std::filesystem;
namespace sandbox = hastelyn::sandbox;
using hastelyn::platform::RootKey;

const fs::path& folder() {
    static const fs::path made = [] {
        fs::path path = fs::temp_directory_path() / ("hive-journal-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path);
        sandbox::writeFileAtomically(path / "hive.reg", "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n");
        std::atexit([] { fs::remove_all(fs::temp_directory_path() / ("hive-journal-fuzz-" + std::to_string(::getpid()))); });
        return path;
    }();
    return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const fs::path journalFile = folder() / "hive.journal";
    const sandbox::FileStamp hive = sandbox::stampOf(folder() / "hive.reg");
    fs::remove(journalFile);
    sandbox::HiveJournal journal(journalFile);
    if (data[0] % 2 == 0) {
        // A journal of this hive file, its body as given.
        if (!journal.append(hive, sandbox::HiveJournal::keyRecord({}))) std::abort();
        std::ofstream(journalFile, std::ios::app | std::ios::binary) << bytes;
    } else {
        // Records separated by a line "--".
        std::size_t start = 0;
        while (start <= bytes.size()) {
            std::size_t end = bytes.find("\n--\n", start);
            if (end == std::string_view::npos) end = bytes.size();
            if (!journal.append(hive, bytes.substr(start, end - start))) std::abort();
            start = end + 4;
        }
    }
    const auto root = sandbox::parseHiveFile(*sandbox::readWholeFile(folder() / "hive.reg"), RootKey::LocalMachine);
    sandbox::HiveJournal reader(journalFile);
    bool applied = false;
    if (!reader.read(hive, *root, &applied)) std::abort();
    if (root->height() > sandbox::kMaxKeyDepth) std::abort();
    const std::string text = sandbox::writeHiveFile(*root, "HKEY_LOCAL_MACHINE");
    const auto again = sandbox::parseHiveFile(text, RootKey::LocalMachine);
    if (!(*root == *again)) std::abort();
    return 0;
}
