// The POSIX implementation of the program's files, on a real folder: the
// same promises as on Windows, with real failures where the host can make
// them.
#include "platform/sim/host_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::FileReadStatus;

class HostFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Read() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  const fs::path folder = fs::temp_directory_path() /
                          ("tarvolo files " + std::to_string(::getpid()) + " " +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
  const std::string path = (folder / "Tarvolo.INI").string();
  sim::HostFiles files{"unused"};
};

TEST_F(HostFilesTest, ReadsAWholeFileAndSaysWhyItCouldNot) {
  std::string bytes = "left over";
  EXPECT_EQ(files.ReadWholeFile(path, 100, bytes), FileReadStatus::Missing);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(files.ReadWholeFile((folder / "no folder" / "x").string(), 100, bytes), FileReadStatus::Missing);
  std::ofstream(path, std::ios::binary) << std::string("a\0b\r\n", 5);
  EXPECT_EQ(files.ReadWholeFile(path, 100, bytes), FileReadStatus::Ok);
  EXPECT_EQ(bytes, std::string("a\0b\r\n", 5));
  EXPECT_EQ(files.ReadWholeFile(path, 4, bytes), FileReadStatus::TooLarge);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(files.ReadWholeFile(folder.string(), 100, bytes), FileReadStatus::AccessDenied);
}

TEST_F(HostFilesTest, ReplacesTheOldFileWholeOrNotAtAllLeavingNothingElse) {
  ASSERT_TRUE(files.WriteFileAtomically(path, "first"));
  ::chmod(path.c_str(), 0640);
  // A file-size limit makes the disk "full" part of the way through.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = files.WriteFileAtomically(path, std::string(5000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(), "first");
  EXPECT_EQ(Entries(), 1u) << "the temporary file is removed";

  ASSERT_TRUE(files.WriteFileAtomically(path, std::string(5000, 'n')));
  EXPECT_EQ(Read().size(), 5000u);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replacement keeps the old file's permissions";
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(HostFilesTest, AReplaceOrAFolderThatFailsLeavesWhatWasThere) {
  // rename(2) cannot put a file in place of a folder that holds something.
  fs::create_directories(fs::path(path) / "inside");
  EXPECT_FALSE(files.WriteFileAtomically(path, "new"));
  EXPECT_TRUE(fs::is_directory(fs::path(path) / "inside"));
  EXPECT_EQ(Entries(), 1u);
  EXPECT_FALSE(files.WriteFileAtomically((folder / "missing folder" / "Tarvolo.INI").string(), "x"));
}

}  // namespace
