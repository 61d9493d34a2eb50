// The HTML page that stands in for the WinHelp file.
#include <gtest/gtest.h>

#include "store/desktop.h"

TEST(HtmlHelpPath, TakesThePlaceOfTheHlpExtensionWhateverItsCaseAndIsAddedToAnyOtherName) {
  EXPECT_EQ(HtmlHelpPath("C:\\Program Files\\Tarvolo\\Tarvolo.hlp"), "C:\\Program Files\\Tarvolo\\Tarvolo.html");
  EXPECT_EQ(HtmlHelpPath("C:\\TARVOLO\\TARVOLO.HLP"), "C:\\TARVOLO\\TARVOLO.html");
  EXPECT_EQ(HtmlHelpPath("C:\\Help.hlp.d\\Tarvolo"), "C:\\Help.hlp.d\\Tarvolo.html");
  EXPECT_EQ(HtmlHelpPath("C:\\Tools\\Tarvolo.hlpx"), "C:\\Tools\\Tarvolo.hlpx.html");
}
