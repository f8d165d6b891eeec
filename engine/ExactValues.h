#pragma once
// The exact state of the registry values a restore point records, kept in its last section
// (kExactSection) beside the keys every reader knows. Those keys hold values as text, which
// cannot say that a value was absent where the restore writes rather than deletes, nor carry a
// value of another type or length ("UnfitType"), nor the bytes of a value recorded only as
// present. The restore applies this section after all the others, so that each value ends
// exactly as it was.
//
// The section's first key, "Platform", holds the platform code ("NT", "9x") of the machine it was
// taken on; on a machine of the other family the section is not applied, and the documented keys
// alone work as they always did. Every other key names the row's key and the value (or the boot
// file's key): "その他:6:UserPreferencesMask". Its text is one of
//   "absent"          the value did not exist;
//   "absent:N"        nor did the last N levels of its key path, which the restore removes
//                     again when nothing is left in them;
//   "T:S:HEX"         type number T, S bytes, in upper-case hexadecimal. Data longer than one
//                     line carries on under the keys "<key>/2", "<key>/3", ...
#include <optional>
#include <string>
#include <string_view>

#include "engine/RestorePointFile.h"
#include "engine/Session.h"
#include "engine/ValueRow.h"

namespace hastelyn::engine {

// The key that names the platform code of the machine the restore point was taken on.
inline constexpr std::string_view kExactPlatformKey = "Platform";

// The entry of a value that was not there.
inline constexpr std::string_view kExactAbsent = "absent";

// The key of a value's entry: the row's key and the value's name (or the boot file key's).
std::string exactKey(std::string_view section, std::string_view rowKey, std::string_view name);
inline std::string exactKey(std::string_view section, std::string_view rowKey, const RegValue& value) {
    return exactKey(section, rowKey, value.name);
}

// Records the value's state under the key. A value larger than kMaxExactBytes, or one whose key
// cannot be opened for writing (a restricted account), gets no entry: its documented key alone
// stands for it.
void backupExactValue(Session& session, RestorePointWriter& file, const std::string& key, const RegValue& value);

// Puts the recorded state back; nothing when the file has no valid entry for the key. Throws
// CommandError when the write is refused.
void restoreExactValue(Session& session, RestorePointReader& file, const std::string& key, const RegValue& value);

// What a well-formed entry asks for: the value gone, with up to `levels` empty key levels above
// it, or the value holding `data`. Nothing for no entry and for one that is not well formed,
// which the restore passes over.
struct ExactEntry {
    bool absent = false;
    int levels = 0;
    foundation::RegData data;
};
std::optional<ExactEntry> readExactEntry(RestorePointReader& file, const std::string& key);

// The restore applies the section only on the family the restore point was taken on.
bool exactSectionApplies(Session& session, RestorePointReader& file);
// The file names the family it was taken on, and it is not this machine's (older restore points
// name none).
bool takenOnOtherFamily(Session& session, RestorePointReader& file);

// Throws the refusal of the entry's key (RestoreRefusal.h) when the restore would leave the value
// as no row of its kind leaves it: a DWORD row's value other than a REG_DWORD of 4 bytes or a
// REG_BINARY of at most 4, a binary row's other than REG_BINARY or a REG_DWORD of 4 bytes, a
// string row's other than a string type; unless it is the value exactly as it is now. "absent"
// fits every row: the row's own writes may have made the value.
void checkExactValue(Session& session, RestorePointReader& file, const std::string& key, const RegValue& value,
                     std::string_view row);

inline constexpr std::size_t kMaxExactBytes = 1 << 20;

// Writes the entry "T:S:HEX" of the data under the key, with its continuation lines. False, and
// nothing written, when the data is larger than kMaxExactBytes or the file has no room left.
bool putExactData(RestorePointWriter& file, const std::string& key, const foundation::RegData& data);
// The data of the entry whose first line is `first`, or nothing when the entry is not whole and
// well formed.
std::optional<foundation::RegData> readExactData(RestorePointReader& file, const std::string& key,
                                                 std::string_view first);

// Bytes as upper-case hexadecimal, two digits each, and back (either case; nothing for a text
// that is not such digits in pairs).
std::string hexText(std::string_view bytes);
std::optional<std::string> bytesOfHex(std::string_view hex);

}  // namespace hastelyn::engine
