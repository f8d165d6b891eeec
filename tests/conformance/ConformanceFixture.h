#pragma once
// The fixture every conformance case runs in: a fresh target per test, with short calls for the
// raw registry interface. Nothing here knows which backend runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/Win32Types.h"
#include "tests/conformance/ConformanceTarget.h"
#include "tests/support/RegistryCalls.h"

namespace hastelyn::conformance {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;
namespace err = platform::win32error;
namespace regtype = platform::regtype;
namespace fileattr = platform::fileattr;

// A value as (type, bytes).
using Value = testing::RegValue;
using Names = std::vector<std::string>;

inline std::string sz(std::string_view text) { return std::string(text) + '\0'; }

inline std::string le32(std::uint32_t n) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    return bytes;
}

class Conformance : public ::testing::Test {
protected:
    void SetUp() override {
        target_ = makeConformanceTarget();
        std::string reason;
        if (target_->skips(caseName(), &reason)) GTEST_SKIP() << reason;
    }

    void TearDown() override {
        for (const KeyHandle key : open_) EXPECT_EQ(p().registry.closeKey(key), platform::win32error::Success);
        open_.clear();
        target_.reset();
    }

    ConformanceTarget& target() { return *target_; }
    platform::Platform& p() { return target_->platform(); }
    platform::Registry& reg() { return p().registry; }

    // "Suite.Test", as skips() is asked.
    static std::string caseName() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::string(info->test_suite_name()) + "." + info->name();
    }

    // False when the target skips this part of the running test (the reason goes to the log).
    bool checks(std::string_view part) {
        std::string reason;
        const std::string name = caseName() + "/" + std::string(part);
        if (!target_->skips(name, &reason)) return true;
        // Not gtest's own skip mark: ctest would count the whole test as skipped.
        std::cout << "[ part left out ] " << name << ": " << reason << "\n";
        return false;
    }

    // The scratch key, or a key below it, as the API takes it ("Software\Scratch\a").
    std::string key(std::string_view below = {}) {
        std::string path = target_->scratchKey();
        if (!below.empty()) path.append("\\").append(below);
        return path;
    }
    // The same as the program spells it ("\Software\Scratch\a\").
    std::string programKey(std::string_view below = {}) { return "\\" + key(below) + "\\"; }
    // A file in the scratch folder.
    std::string file(std::string_view name) { return target_->scratchFolder() + "\\" + std::string(name); }

    // Keys are closed at the end of the test.
    KeyHandle create(std::string_view below) {
        KeyHandle h;
        EXPECT_EQ(reg().createKey(RootKey::CurrentUser, key(below), h), err::Success) << below;
        if (h) open_.push_back(h);
        return h;
    }
    KeyHandle open(std::string_view below, KeyAccess access = KeyAccess::Query) {
        KeyHandle h;
        EXPECT_EQ(reg().openKey(RootKey::CurrentUser, key(below), access, h), err::Success) << below;
        if (h) open_.push_back(h);
        return h;
    }
    long set(KeyHandle h, std::string_view name, std::uint32_t type, std::string_view bytes) {
        return testing::set(reg(), h, name, type, bytes);
    }
    // The value through the usual two calls: the size, then a buffer of that size.
    std::optional<Value> query(KeyHandle h, std::string_view name) { return testing::query(reg(), h, name); }
    Names subkeys(KeyHandle h) { return testing::subkeys(reg(), h); }
    // Sorted: the NT registry lists values in the order they were made, Wine by name, and the
    // program never lists them.
    Names valueNames(KeyHandle h) {
        Names names = testing::valueNames(reg(), h);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::unique_ptr<ConformanceTarget> target_;
    std::vector<KeyHandle> open_;
};

}  // namespace hastelyn::conformance
