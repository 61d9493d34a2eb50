#include <gtest/gtest.h>

#include "store/settings.h"

namespace {

using Kind = SettingsCollectionError::Kind;

TEST(SettingsCollectionTest, KeysIgnoreLetterCaseStandOnceAndKeepTheirPlaceWhenRekeyed) {
  clsSettings c;
  std::vector<clsSettings::Ref> records;
  for (const char* name : {"A", "B", "C"}) {
    records.push_back(std::make_shared<clsSetting>());
    c.Add(records.back(), name);
  }
  const auto kindOf = [&](auto&& f) {
    try {
      f();
    } catch (const SettingsCollectionError& e) {
      return e.kind();
    }
    ADD_FAILURE() << "no error raised";
    return Kind::NotFound;
  };
  EXPECT_EQ(kindOf([&] { c.Add(std::make_shared<clsSetting>(), "c"); }), Kind::DuplicateKey);
  c.Remove("b");
  c.Rekey("A", "Alpha");
  EXPECT_EQ((std::vector<clsSettings::Ref>(c.begin(), c.end())), (std::vector<clsSettings::Ref>{records[0], records[2]}));
  EXPECT_EQ(c.Item("A"), nullptr);
  EXPECT_EQ(c.Item("ALPHA"), records[0]);
  EXPECT_EQ(kindOf([&] { c.Rekey("Alpha", "c"); }), Kind::DuplicateKey);
  EXPECT_EQ(kindOf([&] { c.Rekey("Alpha", "ALPHA"); }), Kind::DuplicateKey);
  EXPECT_EQ(kindOf([&] { c.Rekey("Missing", "New"); }), Kind::NotFound);
  EXPECT_EQ(kindOf([&] { c.Remove(3); }), Kind::NotFound);
  EXPECT_EQ(c.Item(0), nullptr) << "positions count from 1";
  c.Remove(1);
  EXPECT_EQ(c.Item(1), records[2]);
}

}  // namespace
