#pragma once
// Registry values as text. Every value travels as a text read or written as one of the types
// below; absence reads "NULL" and a value of another type or size reads "UnfitType", and writing
// either of those two texts does nothing.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/OpenKey.h"
#include "platform/Platform.h"

namespace hastelyn::foundation {

inline constexpr std::string_view kNull = "NULL";
inline constexpr std::string_view kUnfitType = "UnfitType";

using platform::RootKey;

// How a value's text is read and written:
//   DWORD        signed decimal number (REG_DWORD; a write also takes "$" and hexadecimal)
//   String       the string (REG_SZ, or REG_EXPAND_SZ unexpanded when read)
//   ExString     an expandable string (REG_EXPAND_SZ; written only, a read gives "NULL")
//   Binary       four bytes as eight upper-case hexadecimal digits (REG_BINARY and other types)
//   MultiString  each string followed by CR (REG_MULTI_SZ; read only, a write makes only the key)
enum class RegType { String, ExString, DWORD, Binary, MultiString };

// What RegKeyOrValueExists looks for under a key: a subkey or a value of the given name.
enum class Exists { Key, Value };

// A value as the registry holds it: its type number and its bytes, for what the text forms cannot
// carry (a mask of eight bytes, a binary value of another type, a string without its NUL).
struct RegData {
    std::uint32_t type = 0;
    std::string bytes;

    friend bool operator==(const RegData&, const RegData&) = default;
};

class RegistryValues {
public:
    explicit RegistryValues(platform::Platform& platform) : platform_(platform) {}

    // Key paths are given as the program spells them, from the root with a leading backslash
    // ("\SOFTWARE\Microsoft\MediaPlayer\"); leading and trailing backslashes are dropped.
    std::string ReadRegValue(RootKey root, std::string_view keyPath, std::string_view name,
                             RegType type);
    // Throws CommandError when a String, ExString or Binary write is refused or the Binary text
    // is not hexadecimal; a DWORD that is not a number or is refused is skipped (a refusal is
    // noted: takeSkippedRefusal).
    void WriteRegValue(RootKey root, std::string_view keyPath, std::string_view name, std::string_view value,
                       RegType type);
    // A refused deletion of a value or key that exists is skipped and noted, as a refused DWORD is.
    void DeleteRegValue(RootKey root, std::string_view keyPath, std::string_view name);
    // The value's type; nothing ("Unknown") for an absent value, a key that cannot be opened, and
    // types other than String, ExString, DWORD and Binary.
    std::optional<RegType> GetRegValueType(RootKey root, std::string_view keyPath, std::string_view name);
    std::unique_ptr<std::vector<std::string>> GetRegSubKeys(RootKey root, std::string_view keyPath);
    void DeleteRegKey(RootKey root, std::string_view keyPath);
    // Renames a key: copies it with everything below it and deletes the old one. Throws
    // CommandError when the copy is refused.
    void MoveRegKey(RootKey root, std::string_view oldKeyPath, std::string_view newKeyPath);
    bool RegKeyOrValueExists(RootKey root, std::string_view keyPath, std::string_view name, Exists what);

    // The value's type and bytes, opened as ReadRegValue opens it (full access); nothing when the
    // key cannot be opened so or the value is absent.
    std::optional<RegData> ReadRegData(RootKey root, std::string_view keyPath, std::string_view name);
    // Writes the type and bytes as they are, creating the key. Throws CommandError when refused:
    // the one place a refused write becomes the message.
    void WriteRegData(RootKey root, std::string_view keyPath, std::string_view name, const RegData& data);

    // The key opens with that access.
    bool RegKeyOpens(RootKey root, std::string_view keyPath, platform::KeyAccess access);
    // The key exists and holds neither values nor subkeys.
    bool RegKeyIsEmpty(RootKey root, std::string_view keyPath);

    // The first write or deletion the registry refused and this layer skipped without an error
    // since the last call, as the message an error would carry; nothing when there was none. A
    // caller that must not claim what did not take (the apply pass, row by row) asks it.
    std::optional<std::string> takeSkippedRefusal();

private:
    friend class RegKeyValues;
    void noteSkippedRefusal(std::string message);

    platform::Platform& platform_;
    std::optional<std::string> skippedRefusal_;
};

// One key held open while several of its values are read, for loops over many keys: the texts
// are those ReadRegValue and GetRegValueType give, with one open for them all. The key is opened
// for full access, as ReadRegValue opens it for every type but MultiString; where that open
// fails, every value reads "NULL" and has no type.
class RegKeyValues {
public:
    RegKeyValues(RegistryValues& values, RootKey root, std::string_view keyPath);

    std::string read(std::string_view name, RegType type) const;
    std::optional<RegType> type(std::string_view name) const;

private:
    platform::Registry& registry_;
    OpenKey key_;
};

// The key path as the Windows API takes it: no leading or trailing backslash.
std::string_view apiKeyPath(std::string_view keyPath);

// The 32-bit number of "$" followed by the text; throws CommandError when the text is not
// hexadecimal of at most 8 digits.
std::int32_t HexTextToInt(std::string_view hexText);

// A text's number as a "DWORD" write takes it: signed 32-bit decimal or "$" with up to 8
// hexadecimal digits; false for anything else.
bool parseDwordText(std::string_view text, std::uint32_t& out);

}  // namespace hastelyn::foundation
