#pragma once
// Short calls for the registry tests: keys made or opened by path, values as (type, bytes) pairs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/RegistryCalls.h"

namespace hastelyn::sandbox::test {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::Registry;
using platform::RootKey;
namespace err = platform::win32error;
namespace regtype = platform::regtype;
using testing::le32;

using Value = testing::RegValue;
using testing::query;
using testing::set;
using testing::sz;
using testing::subkeys;
using testing::valueNames;

inline KeyHandle create(Registry& r, RootKey root, std::string_view path) {
    KeyHandle h;
    EXPECT_EQ(r.createKey(root, path, h), err::Success) << path;
    return h;
}

inline KeyHandle open(Registry& r, RootKey root, std::string_view path, KeyAccess access = KeyAccess::Query) {
    KeyHandle h;
    EXPECT_EQ(r.openKey(root, path, access, h), err::Success) << path;
    return h;
}

inline std::string readFile(const std::filesystem::path& file) { return readWholeFile(file).value_or("<missing>"); }

}  // namespace hastelyn::sandbox::test
