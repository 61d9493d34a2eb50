// Tarvolo.INI on real Windows files: found beside the executable in a folder
// whose path has spaces, read, saved back in one step, and left as it was
// when it cannot be read or replaced. tool_settings_roundtrip.exe, copied
// into the folder, loads and saves as tarvolo.exe does.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "store/ini_document.h"
#include "win_test_support.h"

namespace {

using wintest::OwnedHandle;

std::string ReadAll(const std::string& path) {
  OwnedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  OwnedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

class BesideTheExecutable : public ::testing::Test {
 protected:
  BesideTheExecutable() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "Tarvolo settings test " + std::to_string(::GetCurrentProcessId()) + " " +
             std::to_string(::GetTickCount());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    tool = folder + "\\settings tool.exe";
    ini = folder + "\\Tarvolo.INI";
  }
  ~BesideTheExecutable() override {
    for (const std::string& name : Entries()) ::DeleteFileA((folder + "\\" + name).c_str());
    ::RemoveDirectoryA(folder.c_str());
  }
  void SetUp() override {
    ASSERT_TRUE(::CopyFileA((wintest::ExeDirectory() + "tool_settings_roundtrip.exe").c_str(), tool.c_str(), FALSE));
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (data.cFileName[0] != '.') names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs the copied tool from this folder, so only its own location can
  // lead it to the file; its exit code, and what it printed.
  int RunTool(std::string* output) {
    FILE* pipe = ::_popen(("\"" + tool + "\"").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) *output += buffer;
    return ::_pclose(pipe);
  }

  // The value of a key in a saved file, or "<missing>".
  static std::string Value(const std::string& text, const std::string& section, const std::string& key) {
    IniDocument doc;
    doc.LoadText(text);
    const IniSection* s = doc.Sections().Item(section);
    const IniKey* k = s ? s->Keys().Item(key) : nullptr;
    return k ? k->Value().AsString() : "<missing>";
  }

  std::string folder, tool, ini, output;
};

TEST_F(BesideTheExecutable, ReadsTheFileAndSavesItBackLeavingNothingElse) {
  WriteAll(ini,
           "; my own notes\r\n"
           "[Options]\r\nAlways On Top=True\r\n"
           "[Settings]\r\nName=From the file\r\nAction_CapsLock=3\r\n"
           "[Unknown]\r\nx=1\r\n");
  ASSERT_EQ(RunTool(&output), 0) << output;
  const std::string saved = ReadAll(ini);
  EXPECT_TRUE(saved.starts_with("; my own notes\r\n[Options]\r\nAlways On Top=True\r\n")) << saved;
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), "From the file");
  EXPECT_EQ(Value(saved, "Setting 0", "Action_CapsLock"), "3");
  EXPECT_EQ(Value(saved, "Setting 1", "Name"), "Added by tool");
  EXPECT_EQ(Value(saved, "Unknown", "x"), "1");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Tarvolo.INI", "settings tool.exe"})) << "no temporary file left";
}

TEST_F(BesideTheExecutable, AMissingFileIsCreatedFromTheShippedSettings) {
  ASSERT_EQ(RunTool(&output), 0) << output;
  const std::string saved = ReadAll(ini);
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), "Default");
  EXPECT_EQ(Value(saved, "Setting 1", "Name"), "Added by tool");
}

// Tool exit codes: 1 the save failed, 2 the file could not be read (the
// problem shown to the user goes to standard output).
TEST_F(BesideTheExecutable, AFileThatCannotBeReadOrReplacedIsLeftAsItWas) {
  constexpr DWORD kNoHolder = ~0u;
  const struct {
    const char* name;
    std::string bytes;
    DWORD holderSharing;
    int exitCode;
    const char* problem;
  } cases[] = {
      {"held by a writer", "[Options]\r\nAlways On Top=True\r\n", 0, 2, "Another program is using it"},
      {"held without delete sharing", "[Options]\r\nAlways On Top=True\r\n", FILE_SHARE_READ | FILE_SHARE_WRITE, 1,
       ""},
      {"far too large", std::string(8 * 1024 * 1024 + 1, ';'), kNoHolder, 2, "far too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(ini, c.bytes);
    output.clear();
    {
      OwnedHandle holder(c.holderSharing == kNoHolder
                             ? INVALID_HANDLE_VALUE
                             : ::CreateFileA(ini.c_str(), GENERIC_READ, c.holderSharing, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(c.holderSharing == kNoHolder || holder.get() != INVALID_HANDLE_VALUE);
      EXPECT_EQ(RunTool(&output), c.exitCode) << output;
    }
    EXPECT_NE(output.find(c.problem), std::string::npos) << output;
    EXPECT_TRUE(*c.problem == '\0' || output.find("Tarvolo.INI") != std::string::npos) << output;
    EXPECT_TRUE(ReadAll(ini) == c.bytes) << "the file was changed";
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Tarvolo.INI", "settings tool.exe"}));
  }
}

}  // namespace
