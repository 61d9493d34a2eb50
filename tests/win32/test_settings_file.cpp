// The settings file on real Windows files: the program's folder, reading,
// replacing in one step, and Tarvolo.INI found beside the executable in a
// folder whose path has spaces.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/win32_files.h"
#include "store/ini_document.h"
#include "win_test_support.h"

namespace {

std::string ReadAll(const std::string& path) {
  wintest::OwnedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  wintest::OwnedHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// A fresh folder under the temporary folder, with spaces in its name,
// removed with everything in it at the end.
class SpacedFolder {
 public:
  SpacedFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "Tarvolo settings test " + std::to_string(::GetCurrentProcessId()) + " " +
            std::to_string(::GetTickCount());
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  SpacedFolder(const SpacedFolder&) = delete;
  SpacedFolder& operator=(const SpacedFolder&) = delete;
  ~SpacedFolder() {
    for (const std::string& name : Entries()) ::DeleteFileA((path_ + "\\" + name).c_str());
    ::RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path_ + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = data.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
  }

 private:
  std::string path_;
};

TEST(Win32Files, TheProgramFolderIsTheExecutablesFolder) {
  Win32Files files;
  const std::string folder = files.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(wintest::EqualsIgnoringCase(folder + "\\", wintest::ExeDirectory()));
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32Files, ReadsAWholeFileAndSaysWhyItCouldNot) {
  SpacedFolder folder;
  Win32Files files;
  std::string bytes = "left over";
  EXPECT_EQ(files.ReadWholeFile(folder / "none.ini", 100, bytes), platform::FileReadStatus::Missing);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(files.ReadWholeFile(folder / "no folder\\none.ini", 100, bytes), platform::FileReadStatus::Missing);

  const std::string path = folder / "Tarvolo.INI";
  WriteAll(path, std::string("[S]\r\nk=\0v\r\n", 11));
  EXPECT_EQ(files.ReadWholeFile(path, 100, bytes), platform::FileReadStatus::Ok);
  EXPECT_EQ(bytes, std::string("[S]\r\nk=\0v\r\n", 11));
  EXPECT_EQ(files.ReadWholeFile(path, 10, bytes), platform::FileReadStatus::TooLarge);

  {
    // Another program writing the file holds it without sharing.
    wintest::OwnedHandle writer(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(writer.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(files.ReadWholeFile(path, 100, bytes), platform::FileReadStatus::InUse);
  }
  ::CreateDirectoryA((folder / "a folder").c_str(), nullptr);
  EXPECT_EQ(files.ReadWholeFile(folder / "a folder", 100, bytes), platform::FileReadStatus::AccessDenied);
  ::RemoveDirectoryA((folder / "a folder").c_str());
}

TEST(Win32Files, ReplacesAFileInOneStepLeavingNothingElse) {
  SpacedFolder folder;
  Win32Files files;
  const std::string path = folder / "Tarvolo.INI";
  ASSERT_TRUE(files.WriteFileAtomically(path, "first\r\n"));
  EXPECT_EQ(ReadAll(path), "first\r\n");
  ASSERT_TRUE(files.WriteFileAtomically(path, "second, longer\r\n"));
  EXPECT_EQ(ReadAll(path), "second, longer\r\n");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Tarvolo.INI"});
}

TEST(Win32Files, AReplaceThatFailsLeavesTheOldFileAndNoTemporaryFile) {
  SpacedFolder folder;
  Win32Files files;
  const std::string path = folder / "Tarvolo.INI";
  WriteAll(path, "old\r\n");
  {
    // Open without delete sharing: the file cannot be replaced meanwhile.
    wintest::OwnedHandle holder(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.WriteFileAtomically(path, "new\r\n"));
  }
  EXPECT_EQ(ReadAll(path), "old\r\n");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Tarvolo.INI"});
  EXPECT_TRUE(files.WriteFileAtomically(path, "new\r\n")) << "the next save succeeds";
  EXPECT_EQ(ReadAll(path), "new\r\n");
}

// ---- tarvolo's way: Tarvolo.INI beside the executable ----

class BesideTheExecutable : public ::testing::Test {
 protected:
  void SetUp() override {
    tool = folder / "settings tool.exe";
    ASSERT_TRUE(::CopyFileA((wintest::ExeDirectory() + "tool_settings_roundtrip.exe").c_str(), tool.c_str(), FALSE));
    ini = folder / "Tarvolo.INI";
  }

  // Runs the copied tool; its exit code, or -1 when it did not end in time.
  int RunTool(std::string* output = nullptr) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ::CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    wintest::OwnedHandle reader(readEnd), writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + tool + "\"";
    // Started from another folder, so only its own location can lead it to the file.
    if (!::CreateProcessA(tool.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          wintest::ExeDirectory().c_str(), &startup, &process))
      return -2;
    wintest::OwnedHandle processHandle(process.hProcess), thread(process.hThread);
    writer.reset();
    std::string text;
    char buffer[512];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    if (output) *output = text;
    if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
  }

  static std::vector<std::string> SectionsOf(const std::string& text) {
    IniDocument doc;
    doc.LoadText(text);
    std::vector<std::string> names;
    for (const IniSection& s : doc.Sections()) names.push_back(s.Name());
    return names;
  }
  static std::string Value(const std::string& text, const std::string& section, const std::string& key) {
    IniDocument doc;
    doc.LoadText(text);
    const IniSection* s = doc.Sections().Item(section);
    const IniKey* k = s ? s->Keys().Item(key) : nullptr;
    return k ? k->Value().AsString() : "<missing>";
  }

  SpacedFolder folder;
  std::string tool, ini;
};

TEST_F(BesideTheExecutable, ReadsTheFileAndSavesItBack) {
  WriteAll(ini,
           "; my own notes\r\n"
           "[Options]\r\nAlways On Top=True\r\nKeystroke Simulation=False\r\nPassword=cbe\r\n"
           "[Settings]\r\nName=From the file\r\nAction_CapsLock=3\r\n"
           "[Unknown]\r\nx=1\r\n");
  ASSERT_EQ(RunTool(), 0);
  const std::string saved = ReadAll(ini);
  EXPECT_TRUE(saved.starts_with("; my own notes\r\n[Options]\r\nAlways On Top=True\r\n")) << saved;
  EXPECT_EQ(SectionsOf(saved), (std::vector<std::string>{"Options", "Unknown", "Setting 0", "Setting 1"}));
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), "From the file");
  EXPECT_EQ(Value(saved, "Setting 0", "Action_CapsLock"), "3");
  EXPECT_EQ(Value(saved, "Setting 1", "Name"), "Added by tool");
  EXPECT_EQ(Value(saved, "Options", "Password"), "cbe");
  EXPECT_EQ(Value(saved, "Options", "Lower_Modifier"), "0") << "missing keys are written";
  EXPECT_EQ(Value(saved, "Unknown", "x"), "1");
  std::vector<std::string> entries = folder.Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"Tarvolo.INI", "settings tool.exe"}));
}

TEST_F(BesideTheExecutable, AMissingFileIsCreatedFromTheShippedSettings) {
  ASSERT_EQ(RunTool(), 0);
  const std::string saved = ReadAll(ini);
  EXPECT_EQ(SectionsOf(saved), (std::vector<std::string>{"Options", "Setting 0", "Setting 1"}));
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), "Default");
  EXPECT_EQ(Value(saved, "Setting 1", "Name"), "Added by tool");
}

TEST_F(BesideTheExecutable, ALockedFileIsReportedAndNotWrittenOver) {
  const std::string original = "[Options]\r\nAlways On Top=True\r\n";
  WriteAll(ini, original);
  std::string output;
  {
    wintest::OwnedHandle holder(::CreateFileA(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                              nullptr));
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunTool(&output), 2);
  }
  EXPECT_NE(output.find("Tarvolo.INI"), std::string::npos) << output;
  EXPECT_NE(output.find("Another program is using it"), std::string::npos) << output;
  EXPECT_EQ(ReadAll(ini), original);
}

}  // namespace
