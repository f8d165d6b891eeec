// Files rewritten through a FileReplacer: the version swapped out is kept and written over next
// time, but never while someone reads it, never so that a stamp of an old version matches a new
// one, and never anywhere but beside its file under a temporary name that goes with the replacer.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;

// The names in a folder, the temporary ones (kept versions) or the others.
std::vector<std::string> namesIn(const fs::path& folder, bool temporary = false) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (isAtomicTempName(name) == temporary) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> keptIn(const fs::path& folder) { return namesIn(folder, true); }

std::uint64_t inodeOf(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_ino;
}

class FileReplacerTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(data_); }
    testing::TempFolder temp_;
    fs::path data_ = temp_.path() / "data";
    fs::path file_ = data_ / "state.ini";
};

TEST_F(FileReplacerTest, KeepsTheSwappedOutVersionToWriteOverAndRemovesItAtTheEnd) {
    {
        FileReplacer files;
        ASSERT_TRUE(files.write(file_, "first"));  // made: nothing to keep
        EXPECT_EQ(files.keptCount(), 0u);
        const std::uint64_t first = inodeOf(file_);
        ASSERT_TRUE(files.write(file_, "second, longer"));
        ASSERT_EQ(keptIn(data_).size(), 1u);
        EXPECT_EQ(readWholeFile(data_ / keptIn(data_)[0]), "first");
        ASSERT_TRUE(files.write(file_, "third"));  // over the first one, cut to its length
        EXPECT_EQ(inodeOf(file_), first);
        EXPECT_EQ(readReplacedFile(file_), "third");
        EXPECT_EQ(namesIn(data_), std::vector<std::string>{"state.ini"});
    }
    EXPECT_TRUE(keptIn(data_).empty());
    EXPECT_EQ(readWholeFile(file_), "third");
}

TEST_F(FileReplacerTest, AVersionBeingReadIsNeverWrittenOver) {
    FileReplacer files;
    ASSERT_TRUE(files.write(file_, "one"));
    ASSERT_TRUE(files.write(file_, "two"));
    // A reader in the middle of reading "two", holding the lock readReplacedFile takes.
    const int reader = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(::flock(reader, LOCK_SH), 0);
    ASSERT_TRUE(files.write(file_, "333"));  // "two" is swapped out and kept
    ASSERT_TRUE(files.write(file_, "4444"));  // must not go over "two"
    ASSERT_TRUE(files.write(file_, "55555"));
    char seen[16] = {};
    EXPECT_EQ(::pread(reader, seen, sizeof seen, 0), 3);
    EXPECT_EQ(std::string(seen), "two");
    ::close(reader);
    EXPECT_EQ(readReplacedFile(file_), "55555");
    EXPECT_EQ(keptIn(data_).size(), 1u);  // the abandoned one is gone from the folder
}

TEST_F(FileReplacerTest, AStampOfAnOldVersionNeverMatchesANewOneInTheSameInode) {
    FileReplacer files;
    ASSERT_TRUE(files.write(file_, "A"));
    FileStamp a;
    ASSERT_TRUE(files.write(file_, "B", a));
    FileStamp b;
    ASSERT_TRUE(files.write(file_, "C", b));  // back in A's inode
    ASSERT_EQ(b.inode, stampOf(file_).inode);
    // Put B's inode (kept now) at a modification time no clock has reached, as if the next
    // write came within the same tick, then write the same length into it.
    const fs::path kept = data_ / keptIn(data_)[0];
    const timespec future[2] = {{0, UTIME_OMIT}, {b.mtimeNs / 1000000000 + 3600, 999999999}};
    ASSERT_EQ(::utimensat(AT_FDCWD, kept.c_str(), future, 0), 0);
    const FileStamp cached = stampOf(kept);
    FileStamp d;
    ASSERT_TRUE(files.write(file_, "D", d));
    EXPECT_EQ(d.inode, cached.inode);
    EXPECT_EQ(d.size, cached.size);
    EXPECT_GT(d.mtimeNs, cached.mtimeNs);
    EXPECT_EQ(stampOf(file_), d);
}

TEST_F(FileReplacerTest, WhatIsNoPlainFileIsReplacedAsRenameWould) {
    FileReplacer files;
    // A folder in the way: refused, nothing left behind.
    fs::create_directories(data_ / "folder.ini");
    errno = 0;
    EXPECT_FALSE(files.write(data_ / "folder.ini", "x"));
    EXPECT_NE(errno, 0);
    EXPECT_TRUE(fs::is_directory(data_ / "folder.ini"));
    EXPECT_FALSE(files.write(data_ / "missing" / "x.ini", "x"));
    // A link is replaced by the file; what it pointed to stays.
    ASSERT_TRUE(files.write(data_ / "target.ini", "target"));
    fs::create_symlink(data_ / "target.ini", data_ / "link.ini");
    ASSERT_TRUE(files.write(data_ / "link.ini", "new"));
    EXPECT_FALSE(fs::is_symlink(data_ / "link.ini"));
    EXPECT_EQ(readWholeFile(data_ / "target.ini"), "target");
    // Another name of the old file keeps the old content, also after further writes.
    fs::create_hard_link(data_ / "target.ini", data_ / "other.ini");
    for (const char* text : {"t1", "t2", "t3"}) ASSERT_TRUE(files.write(data_ / "target.ini", text));
    EXPECT_EQ(readWholeFile(data_ / "other.ini"), "target");
    EXPECT_EQ(readWholeFile(data_ / "target.ini"), "t3");
}

}  // namespace
}  // namespace hastelyn::sandbox
