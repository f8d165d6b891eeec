// Reads arbitrary bytes as a hive file, writes the hive and reads it again: the reader must
// survive anything, and what the writer makes must read back as the same hive, byte for byte
// when written once more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sandbox/registry/HiveFileReader.h"
#include "platform/sandbox/registry/HiveFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using hastelyn::platform::RootKey;
    namespace sandbox = hastelyn::sandbox;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = sandbox::parseHiveFile(bytes, RootKey::LocalMachine);
    const std::string text = sandbox::writeHiveFile(*first, "HKEY_LOCAL_MACHINE");
    const auto second = sandbox::parseHiveFile(text, RootKey::LocalMachine);
    if (!(*first == *second)) std::abort();
    if (sandbox::writeHiveFile(*second, "HKEY_LOCAL_MACHINE") != text) std::abort();
    return 0;
}
