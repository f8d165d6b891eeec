#pragma once
// One key of a hive in memory: its values in creation order and its subkeys in the order the
// NT registry enumerates them (case-insensitively sorted). Names are case-insensitive and keep
// the case they were created with.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"


namespace hastelyn::sandbox {

struct HiveValue {
    std::string name;  // "" is the default value
    std::uint32_t type = 0;
    std::string data;  // the bytes RegQueryValueExA gives

    friend bool operator==(const HiveValue&, const HiveValue&) = default;
};

// The order of RegEnumKeyEx on NT: names folded to upper case, then byte order.
struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return text::compareNoCase(a, b) < 0; }
};

class HiveKey {
public:
    using Children = std::map<std::string, std::unique_ptr<HiveKey>, NoCaseLess>;

    HiveKey();
    HiveKey(const HiveKey&) = delete;
    HiveKey& operator=(const HiveKey&) = delete;

    // Different for every key ever made in this process, so a handle can tell a key that was
    // deleted and made again from the one it opened.
    std::uint64_t serial() const { return serial_; }
    // Changes whenever a value of this key is set or removed, to a number no key had before in
    // this process: what was read from a key still holds while its serial and this stay.
    std::uint64_t valuesStamp() const { return valuesStamp_; }

    const Children& children() const { return children_; }
    HiveKey* findChild(std::string_view name);
    const HiveKey* findChild(std::string_view name) const;
    // The subkey of that name, made when missing (*created tells which).
    HiveKey& child(std::string_view name, bool* created = nullptr);
    bool removeChild(std::string_view name);

    const HiveValue* findValue(std::string_view name) const;
    // Sets or replaces a value; a replaced value keeps its name and its place. False when the
    // value was already exactly so.
    bool setValue(std::string_view name, std::uint32_t type, std::string_view data);
    bool removeValue(std::string_view name);
    std::size_t valueCount() const { return index_.size(); }
    // Value number index in creation order, or null past the last.
    const HiveValue* valueAt(std::size_t index) const;
    template <class F>
    void forEachValue(F&& f) const {
        for (const auto& slot : values_)
            if (slot) f(*slot);
    }

    void clear();
    // A deep copy with keys of its own.
    std::unique_ptr<HiveKey> clone() const;
    // Adds every value and subkey of source, replacing values of the same name.
    void mergeFrom(const HiveKey& source);
    // Levels of subkeys below this key (0 for a key without subkeys).
    std::size_t height() const;

    // Same names (case included), values in the same order, same subkeys; serials aside.
    friend bool operator==(const HiveKey& a, const HiveKey& b);

    // The lines of this key's values as the hive file writer makes them, kept between saves so
    // that a save makes text only for keys whose values changed. Every change of a value drops
    // it; the writer fills it.
    struct ValuesText {
        std::string text;
        bool valid = false;
    };
    ValuesText& valuesText() const { return valuesText_; }

private:
    void compact() const;
    void valuesChanged();

    std::uint64_t serial_;
    std::uint64_t valuesStamp_;
    Children children_;
    // Deleted values leave an empty slot until the next compaction, so that deleting many
    // values stays linear.
    mutable std::vector<std::optional<HiveValue>> values_;
    mutable std::map<std::string, std::size_t, NoCaseLess> index_;
    mutable ValuesText valuesText_;
};

}  // namespace hastelyn::sandbox
