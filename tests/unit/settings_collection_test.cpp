#include <gtest/gtest.h>

#include "store/options.h"
#include "store/platform_check.h"
#include "store/settings.h"
#include "platform/sim/sim_desktop.h"

namespace {

clsSettings::Ref Named(const std::string& name) {
  auto s = std::make_shared<clsSetting>();
  s->Name = name;
  return s;
}

using Kind = SettingsCollectionError::Kind;

Kind ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const SettingsCollectionError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no error raised";
  return Kind::NotFound;
}

TEST(SettingsCollectionTest, KeysIgnoreLetterCaseAndStandOnce) {
  clsSettings c;
  auto def = Named("Default");
  c.Add(def, "Default");
  EXPECT_EQ(c.Item("DEFAULT"), def);
  EXPECT_EQ(c.Item("default"), def);
  EXPECT_EQ(ErrorOf([&] { c.Add(Named("dEFAULT"), "dEFAULT"); }), Kind::DuplicateKey);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Item("Defaul"), nullptr);
  EXPECT_EQ(c.Item(0), nullptr);
  EXPECT_EQ(c.Item(2), nullptr);
  EXPECT_EQ(c.Item(1), def);
}

TEST(SettingsCollectionTest, RekeyKeepsThePlaceAndRefusesDuplicates) {
  clsSettings c;
  auto a = Named("A"), b = Named("B"), d = Named("C");
  c.Add(a, "A");
  c.Add(b, "B");
  c.Add(d, "C");
  c.Remove("B");
  c.Rekey("A", "Alpha");
  std::vector<clsSettings::Ref> order(c.begin(), c.end());
  EXPECT_EQ(order, (std::vector<clsSettings::Ref>{a, d}));
  EXPECT_EQ(c.Item("A"), nullptr);
  EXPECT_EQ(c.Item("alpha"), a);
  EXPECT_EQ(a->Name, "A") << "the record's own name is not touched";

  EXPECT_EQ(ErrorOf([&] { c.Rekey("Alpha", "ALPHA"); }), Kind::DuplicateKey);
  EXPECT_EQ(ErrorOf([&] { c.Rekey("Alpha", "c"); }), Kind::DuplicateKey);
  EXPECT_EQ(ErrorOf([&] { c.Rekey("Missing", "New"); }), Kind::NotFound);
  EXPECT_EQ(ErrorOf([&] { c.Remove("Missing"); }), Kind::NotFound);
  EXPECT_EQ(ErrorOf([&] { c.Remove(3); }), Kind::NotFound);
  EXPECT_EQ(c.Item(1), a);
  EXPECT_EQ(c.Item("Alpha"), a);
  EXPECT_EQ(c.Count(), 2);

  c.Remove(1);
  EXPECT_EQ(c.Item(1), d);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.begin(), c.end());
}

TEST(SettingsCollectionTest, RecordsAreSharedNotCopied) {
  clsSettings c;
  auto s = Named("Mail");
  c.Add(s, "Mail");
  c.Item("mail")->Action_CapsLock = ActionMaintainOff;
  EXPECT_EQ(s->Action_CapsLock, ActionMaintainOff);
}

TEST(RecordsTest, NewRecordsAreBlank) {
  const clsSetting s;
  EXPECT_TRUE(s.Name.empty() && s.Filter_Title.empty() && s.Filter_Owner.empty() && s.Filter_EXE.empty());
  EXPECT_EQ(s.Match_Title | s.Match_Owner | s.Match_EXE, 0);
  EXPECT_EQ(s.Action_CapsLock | s.Action_NumLock | s.Action_ScrollLock, 0);
  EXPECT_FALSE(s.Remembered_CapsLock || s.Remembered_NumLock || s.Remembered_ScrollLock);

  const AppOptionsRecord o;
  EXPECT_FALSE(o.AlwaysOnTop || o.KeystrokeSimulation);
  EXPECT_TRUE(o.AdminPassword.empty());
  for (const clsHotkey* h : {&o.HotkeyShow, &o.HotkeyCapitalize, &o.HotkeyReverse, &o.HotkeyLower}) {
    EXPECT_TRUE(h->sDescription.empty() && h->sHotkey.empty() && h->sScratch.empty());
    EXPECT_EQ(h->lModifier | h->lVKey, 0);
    EXPECT_FALSE(h->bActivated || h->bHKTriggered);
  }
}

TEST(RecordsTest, PlatformCheckTellsTheFamilies) {
  EXPECT_FALSE(IsNTPlatform(*std::make_unique<sim::SimDesktop>(sim::WindowsFamily::Win98)));
  EXPECT_TRUE(IsNTPlatform(*std::make_unique<sim::SimDesktop>(sim::WindowsFamily::NT4)));
  EXPECT_TRUE(IsNTPlatform(*std::make_unique<sim::SimDesktop>(sim::WindowsFamily::Win2000)));
}

}  // namespace
