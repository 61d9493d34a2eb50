// Tarvolo.INI on real Windows files: found beside the executable in a folder
// whose path has spaces, read in the encodings Windows and editors write,
// saved back in one step, and left as it was when it cannot be read or
// replaced. tool_settings_roundtrip.exe, copied into the folder, loads and
// saves as tarvolo.exe does.
#include "platform/win32/win32_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/win32_text.h"
#include "store/file_encoding.h"
#include "store/ini_document.h"
#include "win_test_support.h"

namespace {

using platform::win32::IsNt;
using platform::win32::Narrow;
using platform::win32::Widen;
using wintest::OwnedHandle;

std::string Utf16(const std::string& utf8) {
  const std::wstring wide = Widen(utf8);
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// The character in the ANSI code page; empty when it has none.
std::string Ansi(const std::wstring& wide) {
  char bytes[16] = {};
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), bytes,
                                      sizeof bytes, nullptr, &usedDefault);
  return usedDefault || n <= 0 ? std::string() : std::string(bytes, static_cast<std::size_t>(n));
}

// Paths here are UTF-8, as the program's own are on the NT family; the 9x
// family has only the ANSI calls, and these tests give it ASCII names.
template <class Wide, class Ansi, class... Args>
auto OnPath(Wide wide, Ansi ansi, const std::string& path, Args... args) {
  return IsNt() ? wide(Widen(path).c_str(), args...) : ansi(path.c_str(), args...);
}

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return OnPath(::CreateFileW, ::CreateFileA, path, access, share, nullptr, disposition, 0, nullptr);
}

std::string ReadAll(const std::string& path) {
  OwnedHandle file(Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  OwnedHandle file(Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS));
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

DWORD Attributes(const std::string& path) { return OnPath(::GetFileAttributesW, ::GetFileAttributesA, path); }

class BesideTheExecutable : public ::testing::Test {
 protected:
  // On the NT family the folder is named in a script outside the ANSI code
  // page, where the settings must still be read and saved.
  BesideTheExecutable() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const char* name = IsNt() ? "\xE8\xA8\xAD\xE5\xAE\x9A \xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88" : "Tarvolo settings";
    folder = temp + std::string(name) + " " + std::to_string(::GetCurrentProcessId()) + " " +
             std::to_string(::GetTickCount());
    OnPath(::CreateDirectoryW, ::CreateDirectoryA, folder, nullptr);
    tool = folder + "\\settings tool.exe";
    ini = folder + "\\Tarvolo.INI";
  }
  ~BesideTheExecutable() override {
    for (const std::string& name : Entries()) {
      OnPath(::SetFileAttributesW, ::SetFileAttributesA, folder + "\\" + name, FILE_ATTRIBUTE_NORMAL);
      OnPath(::DeleteFileW, ::DeleteFileA, folder + "\\" + name);
    }
    OnPath(::RemoveDirectoryW, ::RemoveDirectoryA, folder);
  }
  void SetUp() override {
    const std::string source = wintest::ExeDirectory() + "tool_settings_roundtrip.exe";
    ASSERT_TRUE(IsNt() ? ::CopyFileW(Widen(source).c_str(), Widen(tool).c_str(), FALSE)
                       : ::CopyFileA(source.c_str(), tool.c_str(), FALSE));
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW wide;
    WIN32_FIND_DATAA ansi;
    const HANDLE find = IsNt() ? ::FindFirstFileW(Widen(folder + "\\*").c_str(), &wide)
                               : ::FindFirstFileA((folder + "\\*").c_str(), &ansi);
    for (bool found = find != INVALID_HANDLE_VALUE; found;
         found = IsNt() ? ::FindNextFileW(find, &wide) : ::FindNextFileA(find, &ansi)) {
      const std::string name = IsNt() ? Narrow(wide.cFileName) : std::string(ansi.cFileName);
      if (name[0] != '.') names.push_back(name);
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs the copied tool from this folder, so only its own location can
  // lead it to the file; its exit code, and what it printed.
  int RunTool(std::string* output, const std::string& arguments = "") {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
    OwnedHandle reader(readEnd);
    OwnedHandle writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process{};
    BOOL started = FALSE;
    // Wine now and then refuses a start under load; the start is not what is
    // tested here, so it is tried again before the test gives up.
    const auto start = [&](auto startup, auto create, auto path, auto command) {
      startup.cb = sizeof startup;
      startup.dwFlags = STARTF_USESTDHANDLES;
      startup.hStdOutput = startup.hStdError = writeEnd;
      return create(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    };
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
      if (attempt > 0) ::Sleep(200);
      started = IsNt() ? start(STARTUPINFOW{}, ::CreateProcessW, Widen(tool),
                               L"\"" + Widen(tool) + L"\" " + Widen(arguments))
                       : start(STARTUPINFOA{}, ::CreateProcessA, tool, "\"" + tool + "\" " + arguments);
    }
    if (!started) {
      *output += "the tool could not be started: error " + std::to_string(::GetLastError());
      return -2;
    }
    OwnedHandle processHandle(process.hProcess);
    OwnedHandle threadHandle(process.hThread);
    writer.reset();
    char buffer[512];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output->append(buffer, got);
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
  }

  // The value of a key in a saved file in any of its encodings, or "<missing>".
  static std::string Value(const std::string& bytes, const std::string& section, const std::string& key) {
    Win32Text codePage;
    IniDocument doc;
    doc.LoadText(DecodeFile(bytes, codePage).text);
    const IniSection* s = doc.Sections().Item(section);
    const IniKey* k = s ? s->Keys().Item(key) : nullptr;
    return k ? k->Value().AsString() : "<missing>";
  }

  std::string folder, tool, ini, output;
};

// Tool exit codes: 1 the save failed, 2 the file could not be read (the
// problem shown to the user goes to standard output), 3 it is read-only.
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
      {"read-only", "[Options]\r\nAlways On Top=True\r\n", kNoHolder, 3, ""},  // last: it stays so
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(ini, c.bytes);
    if (c.exitCode == 3) OnPath(::SetFileAttributesW, ::SetFileAttributesA, ini, FILE_ATTRIBUTE_READONLY);
    output.clear();
    {
      OwnedHandle holder(c.holderSharing == kNoHolder ? INVALID_HANDLE_VALUE
                                                      : Open(ini, GENERIC_READ, c.holderSharing, OPEN_EXISTING));
      ASSERT_TRUE(c.holderSharing == kNoHolder || holder.get() != INVALID_HANDLE_VALUE);
      EXPECT_EQ(RunTool(&output), c.exitCode) << output;
    }
    EXPECT_NE(output.find(c.problem), std::string::npos) << output;
    EXPECT_TRUE(*c.problem == '\0' || output.find("Tarvolo.INI") != std::string::npos) << output;
    EXPECT_TRUE(ReadAll(ini) == c.bytes) << "the file was changed";
    EXPECT_EQ((Attributes(ini) & FILE_ATTRIBUTE_READONLY) != 0, c.exitCode == 3);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Tarvolo.INI", "settings tool.exe"}));
  }
}

// With no Tarvolo.INI yet, the shipped settings are saved.
TEST_F(BesideTheExecutable, TemporaryFilesOfCutShortSavesGoAtTheNextLoadAndAMissingFileIsCreated) {
  for (const char* name : {"Tarvolo.INI.123-0.tmp", "Tarvolo.INI.77-12.tmp", "Tarvolo.INI.bak", "Tarvolo.INI.x-1.tmp",
                           "Other.INI.5-0.tmp", "notes.tmp"})
    WriteAll(folder + "\\" + name, std::string(4096, 'x'));
  ASSERT_EQ(RunTool(&output), 0) << output;
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Other.INI.5-0.tmp", "Tarvolo.INI", "Tarvolo.INI.bak",
                                                 "Tarvolo.INI.x-1.tmp", "notes.tmp", "settings tool.exe"}));
  EXPECT_EQ(Value(ReadAll(ini), "Setting 0", "Name"), "Default");
}

// The tool's own switch puts a folder holding a file in the file's place
// between its load and its save: renamed aside with what it holds, never
// over an older backup, and the settings are saved.
TEST_F(BesideTheExecutable, AFolderThatTookTheFilesNameIsRenamedAsideWithItsContentAndTheSettingsSaved) {
  WriteAll(ini, "[Options]\r\nAlways On Top=True\r\n");
  WriteAll(ini + ".bak", "an older backup");
  ASSERT_EQ(RunTool(&output, "--folder-between"), 0) << output;
  EXPECT_NE(output.find("backup: " + ini + ".2.bak"), std::string::npos) << output;
  EXPECT_EQ(ReadAll(ini + ".bak"), "an older backup");
  EXPECT_NE(Attributes(ini + ".2.bak") & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_NE(Attributes(ini + ".2.bak\\inside.txt"), INVALID_FILE_ATTRIBUTES) << "the folder's file went with it";
  EXPECT_EQ(Value(ReadAll(ini), "Setting 0", "Name"), "Added by tool");
  OnPath(::DeleteFileW, ::DeleteFileA, ini + ".2.bak\\inside.txt");
  OnPath(::RemoveDirectoryW, ::RemoveDirectoryA, ini + ".2.bak");
}

// Windows' own profile functions keep a file that begins with the UTF-16LE
// mark in UTF-16LE: the program reads what they wrote and keeps it so, and
// Windows reads what the program wrote.
TEST_F(BesideTheExecutable, AUtf16FileOfWindowsOwnProfileFunctionsIsReadAndStaysUtf16) {
  if (!IsNt()) GTEST_SKIP() << "the 9x family's profile functions write no UTF-16";
  const std::string cyrillic = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // Privet
  const std::wstring file = Widen(ini);
  WriteAll(ini, "\xFF\xFE");
  ASSERT_TRUE(::WritePrivateProfileStringW(L"Options", L"Always On Top", L"True", file.c_str()));
  ASSERT_TRUE(::WritePrivateProfileStringW(L"Setting 0", L"Name", Widen(cyrillic).c_str(), file.c_str()));
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
  const std::string written = ReadAll(ini);
  ASSERT_TRUE(written.starts_with("\xFF\xFE")) << "Windows kept the file in UTF-16LE";

  ASSERT_EQ(RunTool(&output), 0) << output;
  const std::string saved = ReadAll(ini);
  const std::string options = written.substr(0, written.find(Utf16("[Setting 0]")));
  EXPECT_TRUE(saved.starts_with(options)) << "the lines the program did not change, byte for byte";
  EXPECT_NE(options.find(Utf16("Always On Top=True")), std::string::npos);
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), cyrillic);
  wchar_t name[64] = {};
  ::GetPrivateProfileStringW(L"Setting 0", L"Name", L"", name, 64, file.c_str());
  EXPECT_EQ(Narrow(name), cyrillic);
  ::GetPrivateProfileStringW(L"Setting 1", L"Name", L"", name, 64, file.c_str());
  EXPECT_EQ(Narrow(name), "Added by tool");
}

// The code page is Windows' own: an ANSI file is read and stays ANSI with
// every line the program does not own, and one that gains a name outside
// the code page becomes UTF-8 with a mark.
TEST_F(BesideTheExecutable, AnAnsiFileStaysAnsiUntilItGainsANameOutsideItsCodePage) {
  const std::string e = Ansi(L"\u00E9");  // empty where the code page has no e acute
  const std::string ansi = "; caf" + e + " notes\r\n[Options]\r\nAlways On Top=True\r\n[Settings]\r\nName=Caf" + e +
                           "\r\nAction_CapsLock=3\r\n[Unknown]\r\nx=1\r\n";
  WriteAll(ini, ansi);
  ASSERT_EQ(RunTool(&output), 0) << output;
  std::string saved = ReadAll(ini);
  EXPECT_TRUE(saved.starts_with("; caf" + e + " notes\r\n[Options]\r\nAlways On Top=True\r\n")) << saved;
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), e.empty() ? "Caf" : "Caf\xC3\xA9");
  EXPECT_EQ(Value(saved, "Setting 0", "Action_CapsLock"), "3");
  EXPECT_EQ(Value(saved, "Setting 1", "Name"), "Added by tool");
  EXPECT_EQ(Value(saved, "Unknown", "x"), "1");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Tarvolo.INI", "settings tool.exe"})) << "no temporary file left";
  if (IsNt() && !e.empty()) {
    wchar_t name[64] = {};
    ::GetPrivateProfileStringW(L"Setting 0", L"Name", L"", name, 64, Widen(ini).c_str());
    EXPECT_EQ(std::wstring(name), L"Caf\u00E9") << "Windows reads the program's ANSI file";
  }

  const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\xA1\xE3\x83\xA2";  // Nihongo memo
  if (e.empty() || !Ansi(Widen(japanese)).empty()) GTEST_SKIP() << "the ANSI code page holds Japanese";
  WriteAll(ini, ansi);
  // Named by the hex digits of its UTF-8: the 9x family's command lines carry only the ANSI code page.
  std::string hex;
  for (const char c : japanese) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
    hex += digits;
  }
  ASSERT_EQ(RunTool(&output, "--name " + hex), 0) << output;
  saved = ReadAll(ini);
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF; caf\xC3\xA9 notes\r\n[Options]\r\n")) << saved;
  EXPECT_EQ(Value(saved, "Setting 0", "Name"), "Caf\xC3\xA9");
  EXPECT_EQ(Value(saved, "Setting 1", "Name"), japanese);
  EXPECT_EQ(saved.find('?'), std::string::npos) << saved;
}

}  // namespace
