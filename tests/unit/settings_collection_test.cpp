#include <gtest/gtest.h>

#include <functional>

#include "store/settings.h"

namespace {

using Kind = SettingsCollectionError::Kind;

clsSettings::Ref Named(const std::string& name) {
  auto s = std::make_shared<clsSetting>();
  s->Name = name;
  return s;
}

Kind ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const SettingsCollectionError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no error raised";
  return Kind::NotFound;
}

TEST(SettingsCollectionTest, KeysIgnoreLetterCaseStandOnceAndKeepTheirPlaceWhenRekeyed) {
  clsSettings c;
  auto a = Named("A"), b = Named("B"), d = Named("C");
  c.Add(a, "A");
  c.Add(b, "B");
  c.Add(d, "C");
  EXPECT_EQ(c.Item("b"), b);
  EXPECT_EQ(ErrorOf([&] { c.Add(Named("c"), "c"); }), Kind::DuplicateKey);
  c.Remove("B");
  c.Rekey("A", "Alpha");
  EXPECT_EQ((std::vector<clsSettings::Ref>(c.begin(), c.end())), (std::vector<clsSettings::Ref>{a, d}));
  EXPECT_EQ(c.Item("A"), nullptr);
  EXPECT_EQ(c.Item("ALPHA"), a);
  EXPECT_EQ(a->Name, "A") << "the record's own name is not touched";

  EXPECT_EQ(ErrorOf([&] { c.Rekey("Alpha", "c"); }), Kind::DuplicateKey);
  EXPECT_EQ(ErrorOf([&] { c.Rekey("Alpha", "ALPHA"); }), Kind::DuplicateKey);
  EXPECT_EQ(ErrorOf([&] { c.Rekey("Missing", "New"); }), Kind::NotFound);
  EXPECT_EQ(ErrorOf([&] { c.Remove("Missing"); }), Kind::NotFound);
  EXPECT_EQ(ErrorOf([&] { c.Remove(3); }), Kind::NotFound);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Item(0), nullptr) << "positions count from 1";
  EXPECT_EQ(c.Item(3), nullptr);
  c.Remove(1);
  EXPECT_EQ(c.Item(1), d);
}

}  // namespace
