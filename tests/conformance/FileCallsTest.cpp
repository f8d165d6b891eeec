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

    ASSERT_TRUE(files.setFileAttributes(a, fileattr::ReadOnly).ok());
    EXPECT_NE(files.getFileAttributes(file("A.TXT")) & fileattr::ReadOnly, 0u);
    if (checks("ReadOnlyEnforced")) {
        EXPECT_EQ(files.deleteFile(a).code(), err::AccessDenied);
        EXPECT_EQ(files.copyFile(b, a, false).code(), err::AccessDenied);
        EXPECT_EQ(target().readFile(a), "aaa");
    }

    // A copy takes its source's attributes.
    ASSERT_TRUE(files.copyFile(a, file("c.txt"), true).ok());
    EXPECT_NE(files.getFileAttributes(file("c.txt")) & fileattr::ReadOnly, 0u);
    EXPECT_EQ(files.copyFile(b, file("c.txt"), true).code(), err::FileExists);

    ASSERT_TRUE(files.setFileAttributes(a, fileattr::Normal).ok());
    EXPECT_EQ(files.getFileAttributes(a) & fileattr::ReadOnly, 0u);
    EXPECT_TRUE(files.copyFile(b, a, false).ok());
    EXPECT_EQ(target().readFile(a), "bbb");
    EXPECT_TRUE(files.deleteFile(a).ok());
    EXPECT_EQ(target().readFile(a), std::nullopt);

    if (checks("Hidden")) {
        // A hidden file is not replaced by a copy either.
        ASSERT_TRUE(files.setFileAttributes(b, fileattr::Hidden).ok());
        EXPECT_EQ(files.getFileAttributes(b) & (fileattr::Hidden | fileattr::ReadOnly), fileattr::Hidden);
        EXPECT_EQ(files.copyFile(file("c.txt"), b, false).code(), err::AccessDenied);
        EXPECT_EQ(target().readFile(b), "bbb");
    }

    EXPECT_EQ(files.getFileAttributes(file("missing.txt")), fileattr::Invalid);
    EXPECT_EQ(files.getFileAttributes(file("No Folder\\missing.txt")), fileattr::Invalid);
    EXPECT_EQ(files.setFileAttributes(file("missing.txt"), fileattr::ReadOnly).code(), err::FileNotFound);
    EXPECT_EQ(files.deleteFile(file("missing.txt")).code(), err::FileNotFound);
}

TEST_F(FileCalls, ANewFileIsMadeOnlyWhereNothingHasItsName) {
    platform::FileSystem& files = p().files;
    const std::string a = file("claimed.ini");
    ASSERT_TRUE(files.createNewFile(a).ok());
    EXPECT_EQ(target().readFile(a), "");
    // A taken name stays as it is, in whatever case it is asked for.
    target().writeFile(a, "mine");
    EXPECT_EQ(files.createNewFile(file("CLAIMED.INI")).code(), err::FileExists);
    EXPECT_EQ(target().readFile(a), "mine");
    EXPECT_EQ(files.createNewFile(file("No Folder\\new.ini")).code(), err::PathNotFound);
}

TEST_F(FileCalls, ListingsHoldEveryEntryWithTheDots) {
    platform::FileSystem& files = p().files;
    target().writeFile(file("one.ini"), "[a]\r\n");
    target().writeFile(file("Two.txt"), "12345");
    target().writeFile(file("日本語.ini"), "");
    ASSERT_TRUE(files.setFileAttributes(file("Two.txt"), fileattr::ReadOnly).ok());

    const auto names = [&files](std::string_view pattern) {
        std::vector<platform::FindData> found;
        Names out;
        if (!files.findFiles(pattern, found).ok()) return Names{"<none>"};
        for (const platform::FindData& f : found) out.push_back(f.name);
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(names(file("*.*")), (Names{".", "..", "Two.txt", "one.ini", "日本語.ini"}));
    EXPECT_EQ(names(file("*.INI")), (Names{"one.ini", "日本語.ini"}));
    EXPECT_EQ(names(file("t*")), Names{"Two.txt"});
    std::vector<platform::FindData> found;
    EXPECT_EQ(files.findFiles(file("*.none"), found).code(), err::FileNotFound);
    EXPECT_EQ(files.findFiles(file("No Folder\\*.*"), found).code(), err::PathNotFound);
    ASSERT_TRUE(files.findFiles(file("two.txt"), found).ok());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].size, 5u);
    EXPECT_NE(found[0].attributes & fileattr::ReadOnly, 0u);

    EXPECT_EQ(foundation::CountFolderEntries(files, target().scratchFolder() + "\\"), 3);
    EXPECT_EQ(foundation::CountFolderEntries(files, file("No Folder")), 0);
}

TEST_F(FileCalls, AWholeFileIsReadAndReplaced) {
    platform::FileSystem& files = p().files;
    const std::string page = file("page.htm");
    // Made when missing, replaced whole when there: nothing of a longer old content stays.
    const std::string text = "<p>\xE6\xA4\x9C\xE7\xB4\xA2</p>\r\n" + std::string(100000, 'x') + std::string(1, '\0') + "end";
    ASSERT_EQ(files.replaceFile(page, text).code(), err::Success);
    std::string read = "old";
    ASSERT_EQ(files.readFile(file("PAGE.HTM"), read).code(), err::Success);
    EXPECT_EQ(read, text);
    ASSERT_EQ(files.replaceFile(page, "short").code(), err::Success);
    EXPECT_EQ(target().readFile(page), "short");
    ASSERT_EQ(files.replaceFile(page, "").code(), err::Success);
    ASSERT_EQ(files.readFile(page, read).code(), err::Success);
    EXPECT_EQ(read, "");

    // Errors as Windows gives them, and nothing read.
    read = "left";
    EXPECT_EQ(files.readFile(file("none.htm"), read).code(), err::FileNotFound);
    EXPECT_EQ(read, "");
    EXPECT_EQ(files.readFile(file("No Folder\\a.htm"), read).code(), err::PathNotFound);
    EXPECT_EQ(files.replaceFile(file("No Folder\\a.htm"), "x").code(), err::PathNotFound);
    EXPECT_EQ(files.readFile(target().scratchFolder(), read).code(), err::AccessDenied);
    EXPECT_EQ(files.replaceFile(target().scratchFolder(), "x").code(), err::AccessDenied);
    if (checks("ReadOnlyEnforced")) {
        ASSERT_TRUE(files.setFileAttributes(page, fileattr::ReadOnly).ok());
        EXPECT_EQ(files.replaceFile(page, "new").code(), err::AccessDenied);
        EXPECT_EQ(target().readFile(page), "");
        ASSERT_TRUE(files.setFileAttributes(page, fileattr::Normal).ok());
    }
}

}  // namespace
}  // namespace hastelyn::conformance
