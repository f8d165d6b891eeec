// File attributes and the file calls that honour them, and folder listings.
#include <algorithm>

#include "foundation/SystemTools.h"
#include "tests/conformance/ConformanceFixture.h"

namespace hastelyn::conformance {
namespace {

using FileCalls = Conformance;

TEST_F(FileCalls, TheReadOnlyAttributeProtectsAFileUntilCleared) {
    platform::FileSystem& files = p().files;
    const std::string a = file("a.txt");
    const std::string b = file("b.txt");
    target().writeFile(a, "aaa");
    target().writeFile(b, "bbb");
    EXPECT_EQ(files.getFileAttributes(a) & (fileattr::ReadOnly | fileattr::Directory), 0u);
    EXPECT_NE(files.getFileAttributes(target().scratchFolder()) & fileattr::Directory, 0u);

    ASSERT_TRUE(files.setFileAttributes(a, fileattr::ReadOnly));
    EXPECT_NE(files.getFileAttributes(file("A.TXT")) & fileattr::ReadOnly, 0u);
    if (checks("ReadOnlyEnforced")) {
        EXPECT_FALSE(files.deleteFile(a));
        EXPECT_EQ(files.lastError(), err::AccessDenied);
        EXPECT_FALSE(files.copyFile(b, a, false));
        EXPECT_EQ(files.lastError(), err::AccessDenied);
        EXPECT_EQ(target().readFile(a), "aaa");
    }

    // A copy takes its source's attributes.
    ASSERT_TRUE(files.copyFile(a, file("c.txt"), true));
    EXPECT_NE(files.getFileAttributes(file("c.txt")) & fileattr::ReadOnly, 0u);
    EXPECT_FALSE(files.copyFile(b, file("c.txt"), true));
    EXPECT_EQ(files.lastError(), err::FileExists);

    ASSERT_TRUE(files.setFileAttributes(a, fileattr::Normal));
    EXPECT_EQ(files.getFileAttributes(a) & fileattr::ReadOnly, 0u);
    EXPECT_TRUE(files.copyFile(b, a, false));
    EXPECT_EQ(target().readFile(a), "bbb");
    EXPECT_TRUE(files.deleteFile(a));
    EXPECT_EQ(target().readFile(a), std::nullopt);

    if (checks("Hidden")) {
        // A hidden file is not replaced by a copy either.
        ASSERT_TRUE(files.setFileAttributes(b, fileattr::Hidden));
        EXPECT_EQ(files.getFileAttributes(b) & (fileattr::Hidden | fileattr::ReadOnly), fileattr::Hidden);
        EXPECT_FALSE(files.copyFile(file("c.txt"), b, false));
        EXPECT_EQ(files.lastError(), err::AccessDenied);
        EXPECT_EQ(target().readFile(b), "bbb");
    }

    EXPECT_EQ(files.getFileAttributes(file("missing.txt")), fileattr::Invalid);
    EXPECT_EQ(files.lastError(), err::FileNotFound);
    EXPECT_EQ(files.getFileAttributes(file("No Folder\\missing.txt")), fileattr::Invalid);
    EXPECT_EQ(files.lastError(), err::PathNotFound);
    EXPECT_FALSE(files.setFileAttributes(file("missing.txt"), fileattr::ReadOnly));
    EXPECT_EQ(files.lastError(), err::FileNotFound);
    EXPECT_FALSE(files.deleteFile(file("missing.txt")));
    EXPECT_EQ(files.lastError(), err::FileNotFound);
}

TEST_F(FileCalls, ANewFileIsMadeOnlyWhereNothingHasItsName) {
    platform::FileSystem& files = p().files;
    const std::string a = file("claimed.ini");
    ASSERT_TRUE(files.createNewFile(a));
    EXPECT_EQ(target().readFile(a), "");
    // A taken name stays as it is, in whatever case it is asked for.
    target().writeFile(a, "mine");
    EXPECT_FALSE(files.createNewFile(file("CLAIMED.INI")));
    EXPECT_EQ(files.lastError(), err::FileExists);
    EXPECT_EQ(target().readFile(a), "mine");
    EXPECT_FALSE(files.createNewFile(file("No Folder\\new.ini")));
    EXPECT_EQ(files.lastError(), err::PathNotFound);
}

TEST_F(FileCalls, ListingsHoldEveryEntryWithTheDots) {
    platform::FileSystem& files = p().files;
    target().writeFile(file("one.ini"), "[a]\r\n");
    target().writeFile(file("Two.txt"), "12345");
    target().writeFile(file("日本語.ini"), "");
    ASSERT_TRUE(files.setFileAttributes(file("Two.txt"), fileattr::ReadOnly));

    const auto names = [&files](std::string_view pattern) {
        std::vector<platform::FindData> found;
        Names out;
        if (!files.findFiles(pattern, found)) return Names{"<none>"};
        for (const platform::FindData& f : found) out.push_back(f.name);
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(names(file("*.*")), (Names{".", "..", "Two.txt", "one.ini", "日本語.ini"}));
    EXPECT_EQ(names(file("*.INI")), (Names{"one.ini", "日本語.ini"}));
    EXPECT_EQ(names(file("t*")), Names{"Two.txt"});
    EXPECT_EQ(names(file("*.none")), Names{"<none>"});
    EXPECT_EQ(files.lastError(), err::FileNotFound);

    std::vector<platform::FindData> found;
    ASSERT_TRUE(files.findFiles(file("two.txt"), found));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].size, 5u);
    EXPECT_NE(found[0].attributes & fileattr::ReadOnly, 0u);

    EXPECT_EQ(foundation::CountFolderEntries(files, target().scratchFolder() + "\\"), 3);
    EXPECT_EQ(foundation::CountFolderEntries(files, file("No Folder")), 0);
}

}  // namespace
}  // namespace hastelyn::conformance
