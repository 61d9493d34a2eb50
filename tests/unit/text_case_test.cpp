#include "tray/text_case.h"

#include <gtest/gtest.h>

namespace {

// A stand-in for the platform's conversion, so the tests see which runs it got.
void Upper(char* text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 32);
}

TEST(ReverseCaseTest, SwapsOnlyAsciiLettersAndKeepsLength) {
  EXPECT_EQ(ReverseCase("Ab-5\xE9"), "aB-5\xE9");
  EXPECT_EQ(ReverseCase(std::string("a\0B", 3)), std::string("A\0b", 3));
  const std::string longText(100000, 'q');
  EXPECT_EQ(ReverseCase(longText), std::string(100000, 'Q')) << "no 32,767 limit";
  EXPECT_EQ(ReverseCase(""), "");
}

// The runs of a whole document are changed in the clipboard commands' tests.
// A run ends at the last backslash of a run of backslashes, and what follows
// is taken for a control word and skipped up to the next space. Hostile
// input keeps its length.
TEST(TransformRichTextTest, RunsEndAtBackslashesAndTheLengthIsKept) {
  EXPECT_EQ(TransformRichText("\\fs20 tail text", true, Upper), "\\fs20 TAIL TEXT");
  EXPECT_EQ(TransformRichText("\\fs20 a\\\\b c\\par d", true, Upper), "\\fs20 A\\\\b C\\par D");
  EXPECT_EQ(TransformRichText("{\\rtf1 no font size}", true, Upper), "");
  EXPECT_EQ(TransformRichText("", false, Upper), "");
  for (const std::string& s : {std::string("\\fs"), std::string("\\fs "), std::string("\\fs \\"),
                              std::string("\\fs\\\\\\\\"), std::string("\\fs x\0y\\z w", 11),
                              std::string(5000, ' ') + "\\fs" + std::string(5000, '\\') + " a"}) {
    EXPECT_EQ(TransformRichText(s, true, Upper).size(), s.size());
    EXPECT_EQ(TransformRichText(s, false, Upper).size(), s.size());
  }
}

}  // namespace
