// The user's places the program keeps things in, on real Windows calls: a
// text value under HKEY_CURRENT_USER (where the Run entry lives), the
// AppData folder, a folder made there, and whether a folder takes a new file.
#include "platform/win32/win32_api.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"

namespace {

TEST(UserRegistry, ATextValueIsWrittenReadAndRemovedAndAnythingElseIsNoText) {
  Win32Registry registry;
  const std::string key = "Software\\Tarvolo Tests\\Run";
  // The 9x family's ANSI calls hold what its code page holds.
  const std::string text = platform::win32::IsNt() ? "\"C:\\Prog\xC3\xA4mme\\tarvolo.exe\"" : "\"C:\\P Q\\t.exe\"";
  EXPECT_TRUE(registry.RegSetValueEx(key, "Tarvolo", text));
  EXPECT_EQ(registry.RegQueryValueEx(key, "Tarvolo"), text);
  EXPECT_TRUE(registry.RegDeleteValue(key, "Tarvolo"));
  EXPECT_EQ(registry.RegQueryValueEx(key, "Tarvolo"), std::nullopt);
  EXPECT_TRUE(registry.RegDeleteValue(key, "Tarvolo")) << "already gone";
  EXPECT_TRUE(registry.RegDeleteValue("Software\\Tarvolo Tests\\No such key", "Tarvolo"));

  HKEY opened = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened), ERROR_SUCCESS);
  const DWORD number = 7;
  ::RegSetValueExA(opened, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  ::RegCloseKey(opened);
  EXPECT_EQ(registry.RegQueryValueEx(key, "Number"), std::nullopt);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarvolo Tests");
}

TEST(UserFolders, AppDataIsThereAFolderIsMadeInItAndTakesNewFilesWithoutKeepingThem) {
  Win32Files files;
  const std::string appData = files.AppDataFolder();
  ASSERT_FALSE(appData.empty());
  const std::string folder = appData + "\\Tarvolo Tests " + std::to_string(::GetCurrentProcessId());
  EXPECT_TRUE(files.CreateFolder(folder));
  EXPECT_TRUE(files.CreateFolder(folder)) << "already there";
  EXPECT_TRUE(files.GetFileInfo(folder)->folder);
  EXPECT_FALSE(files.CreateFolder(folder + "\\no parent\\child"));
  EXPECT_TRUE(files.CanCreateFileIn(folder));
  EXPECT_FALSE(files.CanCreateFileIn(folder + "\\missing"));
  const BOOL removed = platform::win32::IsNt() ? ::RemoveDirectoryW(platform::win32::Widen(folder).c_str())
                                              : ::RemoveDirectoryA(platform::win32::ToAnsi(folder).c_str());
  EXPECT_TRUE(removed) << "empty: the trial file is gone";
  const std::string exe = files.ProgramFile();
  EXPECT_EQ(exe.substr(0, files.ProgramFolder().size()), files.ProgramFolder());
  EXPECT_TRUE(exe.ends_with("win_tests.exe")) << exe;
}

}  // namespace
