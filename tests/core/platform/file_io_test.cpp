#include "core/platform/file_io.h"

#include "core/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace v38 {
namespace {

TEST(FileIo, ReadsWholeFileAndReportsWhyItCannot) {
    test::TempFolder dir;
    test::writeText(dir.file("a"), "hello");
    std::string bytes;
    EXPECT_EQ(readFileCapped(dir.file("a"), 5, bytes), FileReadStatus::Ok);
    EXPECT_EQ(bytes, "hello");
    EXPECT_EQ(readFileCapped(dir.file("a"), 4, bytes), FileReadStatus::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(readFileCapped(dir.file("missing"), 100, bytes), FileReadStatus::Missing);
    // A folder or a device is never read as a file.
    EXPECT_EQ(readFileCapped(dir.path(), 100, bytes), FileReadStatus::Unreadable);
    EXPECT_EQ(readFileCapped("/dev/zero", 100, bytes), FileReadStatus::Unreadable);
}

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoTemporaryFile) {
    test::TempFolder dir;
    std::string path = dir.file("list.ini");
    test::writeText(path, "old contents that are longer");
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(test::readText(path), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
    test::TempFolder dir;
    std::string path = dir.file("keep");
    test::writeText(path, "precious");
    // A path in a missing folder and a path naming a folder both fail without touching anything.
    EXPECT_FALSE(writeFileAtomically(dir.file("nofolder/x"), "data"));
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_FALSE(writeFileAtomically(dir.file("sub"), "data"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("sub")));
    EXPECT_EQ(test::readText(path), "precious");
}

TEST(FileIo, SetAsideAndRemove) {
    test::TempFolder dir;
    std::string path = dir.file("broken.Json");
    test::writeText(path, "{");
    EXPECT_TRUE(setFileAside(path));
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(test::readText(path + ".bad"), "{");
    EXPECT_TRUE(removeFile(path + ".bad"));
    EXPECT_TRUE(removeFile(path + ".bad"));
}

} // namespace
} // namespace v38
