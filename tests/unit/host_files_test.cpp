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

#include "monitor/program_state.h"
#include "platform/sim/sim_desktop.h"
#include "store/settings_file.h"

namespace {

namespace fs = std::filesystem;

class HostFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("tarvolo files " + std::to_string(::getpid()) + " " +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    path = (folder / "Tarvolo.INI").string();
  }
  void TearDown() override { fs::remove_all(folder); }

  static std::string Read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Write(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::size_t EntriesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  fs::path folder;
  std::string path;
  sim::HostFiles files{"unused"};
};

TEST_F(HostFilesTest, ReadsAWholeFileAndSaysWhyItCouldNot) {
  std::string bytes = "left over";
  EXPECT_EQ(files.ReadWholeFile(path, 100, bytes), platform::FileReadStatus::Missing);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(files.ReadWholeFile((folder / "no folder" / "x").string(), 100, bytes),
            platform::FileReadStatus::Missing);

  Write(path, std::string("a\0b\r\n", 5));
  EXPECT_EQ(files.ReadWholeFile(path, 100, bytes), platform::FileReadStatus::Ok);
  EXPECT_EQ(bytes, std::string("a\0b\r\n", 5));
  EXPECT_EQ(files.ReadWholeFile(path, 4, bytes), platform::FileReadStatus::TooLarge);
  EXPECT_EQ(bytes, "");

  fs::create_directory(folder / "a folder");
  EXPECT_EQ(files.ReadWholeFile((folder / "a folder").string(), 100, bytes), platform::FileReadStatus::AccessDenied);
}

TEST_F(HostFilesTest, WritesANewFileAndReplacesAnOldOneLeavingNothingElse) {
  ASSERT_TRUE(files.WriteFileAtomically(path, "first"));
  EXPECT_EQ(Read(path), "first");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(files.WriteFileAtomically(path, "second, longer"));
  EXPECT_EQ(Read(path), "second, longer");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replacement keeps the old file's permissions";
  EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(HostFilesTest, AWriteThatFailsHalfWayLeavesTheOldFileIntact) {
  Write(path, "old contents");
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
  EXPECT_EQ(Read(path), "old contents");
  EXPECT_EQ(EntriesInFolder(), 1u) << "the temporary file is removed";
  EXPECT_TRUE(files.WriteFileAtomically(path, std::string(5000, 'n'))) << "the next attempt succeeds";
  EXPECT_EQ(Read(path).size(), 5000u);
}

TEST_F(HostFilesTest, AReplaceThatFailsLeavesWhatWasThere) {
  // rename(2) cannot put a file in place of a folder that holds something.
  fs::create_directories(fs::path(path) / "inside");
  EXPECT_FALSE(files.WriteFileAtomically(path, "new"));
  EXPECT_TRUE(fs::is_directory(fs::path(path) / "inside"));
  EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(HostFilesTest, AFolderThatCannotBeWrittenToFailsCleanly) {
  EXPECT_FALSE(files.WriteFileAtomically((folder / "missing folder" / "Tarvolo.INI").string(), "x"));
}

// The settings file on real files, in a folder whose name has spaces.
class HostDesktop : public sim::SimDesktop, public sim::HostFiles {
 public:
  explicit HostDesktop(std::string folder) : HostFiles(std::move(folder)) {}
  platform::FileReadStatus ReadWholeFile(const std::string& p, std::size_t max, std::string& bytes) override {
    return HostFiles::ReadWholeFile(p, max, bytes);
  }
  bool WriteFileAtomically(const std::string& p, std::string_view bytes) override {
    return HostFiles::WriteFileAtomically(p, bytes);
  }
  std::string ProgramFolder() override { return HostFiles::ProgramFolder(); }
};

TEST_F(HostFilesTest, SettingsAreReadFromAndSavedToTheProgramFolder) {
  // On the host the separator is "/"; a folder ending in one keeps the
  // backslash-built name inside it.
  HostDesktop desk(folder.string() + "/");
  const std::string file = folder.string() + "/\\Tarvolo.INI";
  ASSERT_EQ(SettingsFilePath(desk.ProgramFolder()), file);
  Write(file, "; mine\r\n[Options]\r\nAlways On Top=True\r\n[Setting 3]\r\nName=Notes\r\nAction_CapsLock=1\r\n");
  ProgramState state(desk);
  LoadSettings(state);
  EXPECT_TRUE(state.AppOptions.AlwaysOnTop);
  ASSERT_NE(state.Settings.Item("Notes"), nullptr);
  EXPECT_EQ(state.Settings.Item("Notes")->Action_CapsLock, 1);
  ASSERT_TRUE(SaveSettings(state));
  const std::string saved = Read(file);
  EXPECT_TRUE(saved.starts_with("; mine\r\n[Options]\r\nAlways On Top=True\r\n")) << saved;
  EXPECT_NE(saved.find("[Setting 0]\r\nName=Notes\r\nAction_CapsLock=1\r\n"), std::string::npos) << saved;
  EXPECT_EQ(EntriesInFolder(), 1u);
}

}  // namespace
