#include "platform/sandbox/registry/HiveKey.h"

#include <algorithm>

namespace hastelyn::sandbox {
namespace {

std::uint64_t nextSerial() {
    static std::uint64_t counter = 0;
    return ++counter;
}

}  // namespace

HiveKey::HiveKey() : serial_(nextSerial()), valuesStamp_(serial_) {}

void HiveKey::valuesChanged() {
    valuesText_.valid = false;
    valuesStamp_ = nextSerial();
}

HiveKey* HiveKey::findChild(std::string_view name) {
    const auto it = children_.find(name);
    return it == children_.end() ? nullptr : it->second.get();
}

const HiveKey* HiveKey::findChild(std::string_view name) const {
    const auto it = children_.find(name);
    return it == children_.end() ? nullptr : it->second.get();
}

HiveKey& HiveKey::child(std::string_view name, bool* created) {
    auto it = children_.find(name);
    const bool make = it == children_.end();
    if (make) it = children_.emplace(std::string(name), std::make_unique<HiveKey>()).first;
    if (created) *created = make;
    return *it->second;
}

bool HiveKey::removeChild(std::string_view name) {
    const auto it = children_.find(name);
    if (it == children_.end()) return false;
    children_.erase(it);
    return true;
}

const HiveValue* HiveKey::findValue(std::string_view name) const {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &*values_[it->second];
}

bool HiveKey::setValue(std::string_view name, std::uint32_t type, std::string_view data) {
    const auto it = index_.find(name);
    if (it != index_.end()) {
        HiveValue& value = *values_[it->second];
        if (value.type == type && value.data == data) return false;
        value.type = type;
        value.data.assign(data);
        valuesChanged();
        return true;
    }
    index_.emplace(std::string(name), values_.size());
    values_.emplace_back(HiveValue{std::string(name), type, std::string(data)});
    valuesChanged();
    return true;
}

bool HiveKey::removeValue(std::string_view name) {
    const auto it = index_.find(name);
    if (it == index_.end()) return false;
    values_[it->second].reset();
    index_.erase(it);
    valuesChanged();
    if (values_.size() > 2 * index_.size() + 8) compact();
    return true;
}

void HiveKey::compact() const {
    if (values_.size() == index_.size()) return;
    std::erase_if(values_, [](const std::optional<HiveValue>& slot) { return !slot.has_value(); });
    for (std::size_t i = 0; i < values_.size(); ++i) index_.find(values_[i]->name)->second = i;
}

const HiveValue* HiveKey::valueAt(std::size_t index) const {
    if (index >= index_.size()) return nullptr;
    compact();
    return &*values_[index];
}

void HiveKey::clear() {
    children_.clear();
    values_.clear();
    index_.clear();
    valuesChanged();
}

std::unique_ptr<HiveKey> HiveKey::clone() const {
    auto copy = std::make_unique<HiveKey>();
    copy->mergeFrom(*this);
    return copy;
}

void HiveKey::mergeFrom(const HiveKey& source) {
    source.forEachValue([this](const HiveValue& v) { setValue(v.name, v.type, v.data); });
    for (const auto& [name, sub] : source.children_) child(name).mergeFrom(*sub);
}

std::size_t HiveKey::height() const {
    std::size_t levels = 0;
    for (const auto& entry : children_) levels = std::max(levels, entry.second->height() + 1);
    return levels;
}

bool operator==(const HiveKey& a, const HiveKey& b) {
    if (a.valueCount() != b.valueCount() || a.children_.size() != b.children_.size()) return false;
    for (std::size_t i = 0; i < a.valueCount(); ++i)
        if (!(*a.valueAt(i) == *b.valueAt(i))) return false;
    auto ib = b.children_.begin();
    for (const auto& [name, sub] : a.children_) {
        if (name != ib->first || !(*sub == *ib->second)) return false;
        ++ib;
    }
    return true;
}

}  // namespace hastelyn::sandbox
