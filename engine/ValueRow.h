#pragma once
// A row made of registry values alone, described as data: which values it reads, which texts
// mean "in force", what ticking and unticking write or delete, and how a restore puts the
// saved texts back.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/TweakItem.h"

namespace hastelyn::engine {

struct RegValue {
    platform::RootKey root;
    std::string_view key;
    std::string_view name;
    foundation::RegType type;
};

// What a restore does with a saved text: write it back ("NULL" leaves the value alone), or
// write it back and delete the value when the file has no key.
enum class RestoreRule { Write, WriteOrDelete };

struct ValueRowSpec {
    std::string_view section;                   // restore-point section
    std::string_view number;                    // "5": key "5", or "5a", "5b"... with several values
    std::vector<RegValue> values;
    std::vector<std::string_view> inForceTexts;  // every value must read one of these
    std::optional<std::string_view> tickedText;   // written when ticked; nothing: the values are deleted
    std::optional<std::string_view> untickedText; // written when unticked; nothing: deleted
    RestoreRule restore = RestoreRule::WriteOrDelete;
};

class ValueRow : public TweakItem {
public:
    explicit ValueRow(ValueRowSpec spec) : spec_(std::move(spec)) {}

    bool inForce(Session& session) const override;
    bool apply(Session& session, bool ticked) const override;
    void backup(Session& session, RestorePointWriter& file) const override;
    void restore(Session& session, RestorePointReader& file) const override;
    void restoreExact(Session& session, RestorePointReader& file) const override;
    // Each exact entry must fit the value's type (checkExactValue), and a binary value's saved
    // text must be one the restore can write (at most 8 hexadecimal digits).
    void checkRestore(Session& session, RestorePointReader& file) const override;
    bool registryOnly() const override { return true; }
    RowScope scope(Session& session) const override;

    // The restore-point key of value number i.
    std::string restoreKey(std::size_t i) const;

private:
    ValueRowSpec spec_;
};

// A described row as an item of its category's list.
inline std::unique_ptr<TweakItem> valueRow(ValueRowSpec spec) { return std::make_unique<ValueRow>(std::move(spec)); }

// Throws the refusal of the key when its saved text is one a binary write refuses (more than 8
// hexadecimal digits, or other characters), so that the restore never stops half-way on it.
void checkBinaryText(RestorePointReader& file, std::string_view section, std::string_view key, std::string_view row);

// Restores one value from its saved text by a rule.
void restoreValue(Session& session, const RegValue& value, const std::string& saved, RestoreRule rule);

}  // namespace hastelyn::engine
