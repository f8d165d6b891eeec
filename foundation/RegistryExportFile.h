#pragma once
// What a file of the system's registry tools holds, read without trusting it: the file may come
// from another PC or another person, and the tools themselves import whatever it says (the
// registry editor's "/s" writes every key a text names, deletions included).
//
// Two kinds: the registry editor's text export ("REGEDIT4" or "Windows Registry Editor Version
// 5.00"; UTF-16LE after its byte-order mark, UTF-8 after its mark, or ANSI, a line UTF-8 where
// it is valid and Shift_JIS where not) and the binary hive file "reg save" writes on XP.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::foundation {

// No mail-rule export comes near this; the reader looks at nothing longer.
inline constexpr std::size_t kMaxRegistryExportBytes = 4 * 1024 * 1024;

struct RegistryTextKey {
    std::string name;       // as the line writes it, between "[" (or "[-") and the last "]", UTF-8
    bool deletion = false;  // "[-name]": the key and everything below it removed
    bool wellFormed = true; // false: a line that begins with "[" but is no key line a tool could
                            // be sure of (no closing "]", text after it)
};

// Every line of a registry editor text that a tool could take as a key line (one whose first
// character after blanks is "["), in file order. Lines end with CR LF, LF or a lone CR. Nothing
// when the bytes are not such a text: longer than kMaxRegistryExportBytes, a first line that is
// not one of the two headers, a NUL character, a value line before the first key line, or an
// end that is not an empty line (the tools end every key with one: the file was cut short).
std::optional<std::vector<RegistryTextKey>> readRegistryTextKeys(std::string_view bytes);

// Whether a key name is `key` itself or lies below it (ASCII case folded).
bool isKeyOrBelow(std::string_view name, std::string_view key);

// The name of the root key of a binary hive file (what "reg save" wrote: the saved key's own
// node), UTF-8. Nothing when the bytes are not a sound primary hive file: the "regf" base
// block with its checksum and version, the first bin, and a root cell that is an allocated key
// node marked as the hive's entry, all inside the file.
std::optional<std::string> savedHiveRootName(std::string_view bytes);

}  // namespace hastelyn::foundation
