// The platform flag and the version the program sees, against what Wine was
// set to report.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/win32_os.h"
#include "store/platform_check.h"
#include "tests/win32/win_test_support.h"

namespace {

TEST(PlatformTest, ReportsTheVersionTheRunnerChose) {
  const std::string expected = wintest::ExpectedVersion();
  if (expected.empty()) GTEST_SKIP() << "TARVOLO_EXPECT_VERSION is not set";
  const OSVERSIONINFOA v = wintest::ReportedVersion();
  if (expected == "win98") {
    EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(v.dwMajorVersion, 4u);
    EXPECT_EQ(v.dwMinorVersion, 10u);
  } else if (expected == "nt40") {
    EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(v.dwMajorVersion, 4u);
    EXPECT_EQ(v.dwMinorVersion, 0u);
  } else if (expected == "win10") {
    // Without a manifest naming Windows 10, Windows itself reports 6.2.
    EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(v.dwMajorVersion, 6u);
  } else {
    FAIL() << "unknown version " << expected;
  }
}

TEST(PlatformTest, VersionPassesThroughTheInterface) {
  Win32Os os;
  platform::OsVersionInfo info;
  info.dwOSVersionInfoSize = 148;
  ASSERT_TRUE(os.GetVersionExA(info));
  const OSVERSIONINFOA v = wintest::ReportedVersion();
  EXPECT_EQ(info.dwPlatformId, v.dwPlatformId);
  EXPECT_EQ(info.dwMajorVersion, v.dwMajorVersion);
  EXPECT_EQ(info.dwMinorVersion, v.dwMinorVersion);
  EXPECT_EQ(info.dwBuildNumber, v.dwBuildNumber);
  EXPECT_STREQ(info.szCSDVersion.data(), v.szCSDVersion);
}

TEST(PlatformTest, IsNTOnTheNTFamilyOnly) {
  Win32Os os;
  EXPECT_EQ(IsNTPlatform(os), wintest::ReportedVersion().dwPlatformId == VER_PLATFORM_WIN32_NT);
  const std::string expected = wintest::ExpectedVersion();
  if (!expected.empty()) {
    EXPECT_EQ(IsNTPlatform(os), expected != "win98");
  }
}

}  // namespace
