// The hot-key component on the headless desktop.
#include "app/GlobalHotKey.h"
#include "platform/desktop/Headless.h"
#include "platform/rtl/forms/Filer.h"
#include "tests/app/TestForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using win::headless::PressHotKey;
constexpr win::UINT CtrlAlt = win::MOD_CONTROL | win::MOD_ALT;

class GlobalHotKeyTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    EventLog().clear();
    form = std::make_unique<TTestForm>();
    keys = new TGlobalHotKeys(form.get());
    keys->SetOnHotKeys(THotKeyEvent([this](TObject* s, std::uint16_t i) {
      EXPECT_EQ(s, keys);
      EventLog().push_back("OnHotKeys:" + std::to_string(i));
    }));
  }
  void TearDown() override {
    form.reset();
    win::headless::Reset();
  }

  THotKeyItem* Add(TModifiers mods, TVirtKey key, bool enable = true) {
    THotKeyItem* item = keys->HotKeys()->AddItem();
    item->SetModifiers(mods);
    item->SetVirtKey(key);
    item->SetEnabled(enable);
    return item;
  }

  std::unique_ptr<TTestForm> form;
  TGlobalHotKeys* keys = nullptr;
};

TEST(VirtKeyTable, NamesCodesAndOrdinals) {
  struct Case {
    TVirtKey key;
    int ordinal;
    const char* name;
    std::uint32_t code;
  };
  const Case cases[] = {
      {vkNone, 0, "None", 0x00},       {vkCancel, 1, "Cancel", 0x03},    {vkEscape, 8, "Escape", 0x1B},
      {vkSelect, 18, "Select", 0x29},  {vkExecute, 19, "Execute", 0x2B}, {vkHelp, 23, "Help", 0x2F},
      {vk0, 24, "0", 0x30},            {vk9, 33, "9", 0x39},             {vkA, 34, "A", 0x41},
      {vkZ, 59, "Z", 0x5A},            {vkNumpad0, 60, "Numpad0", 0x60}, {vkDivide, 75, "Divide", 0x6F},
      {vkF1, 76, "F1", 0x70},          {vkF24, 99, "F24", 0x87},         {vkNumlock, 100, "Numlock", 0x90},
      {vkScroll, 101, "Scroll", 0x91}, {vkApps, 102, "Apps", 0x5D},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(static_cast<int>(c.key), c.ordinal);
    EXPECT_STREQ(VirtKeyNames[c.key], c.name);
    EXPECT_EQ(VirtKeyCodes[c.key], c.code);
    EXPECT_EQ(EnumTypeInfo(vkNone).Names[c.ordinal], std::string("vk") + c.name);
  }
  EXPECT_EQ(EnumTypeInfo(vkNone).Names.size(), 103u);
  // Codes are unique, so no two keys register the same combination by accident.
  for (int i = 1; i < VirtKeyCount; ++i)
    for (int j = i + 1; j < VirtKeyCount; ++j) EXPECT_NE(VirtKeyCodes[i], VirtKeyCodes[j]) << i << " " << j;

  for (std::int64_t bad : {-1LL, 103LL, 255LL, 1LL << 40}) EXPECT_EQ(VirtKeyFromOrdinal(bad), vkNone);
  EXPECT_EQ(VirtKeyFromOrdinal(102), vkApps);
}

TEST(VirtKeyTable, ModifierFlagsAndDisplayNames) {
  struct Case {
    TModifiers mods;
    TVirtKey key;
    win::UINT flags;
    const char* name;
  };
  const Case cases[] = {
      {{}, vkNone, 0, "None"},
      {{}, vkHome, 0, "Home"},
      {{modShift}, vkA, win::MOD_SHIFT, "Shift_A"},
      {{modAlt}, vkF1, win::MOD_ALT, "Alt_F1"},
      {{modControl, modAlt}, vkF5, win::MOD_CONTROL | win::MOD_ALT, "ControlAlt_F5"},
      {{modShift, modWin}, vkA, win::MOD_SHIFT | win::MOD_WIN, "ShiftWin_A"},
      {{modWin, modAlt, modControl, modShift}, vkReturn, 0xF, "ShiftControlAltWin_Return"},
  };
  TCollection coll(THotKeyItem::StaticClass());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ModifiersToHotKeyFlags(c.mods), c.flags);
    auto* item = static_cast<THotKeyItem*>(coll.Add());
    item->SetModifiers(c.mods);
    item->SetVirtKey(c.key);
    EXPECT_EQ(item->DisplayName(), c.name);
  }
}

TEST_F(GlobalHotKeyTest, OwnerMustBeOneFormWithOneComponent) {
  TComponent plain(nullptr);
  struct Case {
    TComponent* owner;
    const char* message;
  };
  const Case cases[] = {
      {nullptr, "The owner of TGlobalHotKeys must be a form"},
      {&plain, "The owner of TGlobalHotKeys must be a form"},
      {form.get(), "No more than one TGlobalHotKeys-component on a form"},
  };
  for (const Case& c : cases) {
    int before = c.owner ? c.owner->ComponentCount() : 0;
    try {
      new TGlobalHotKeys(c.owner);
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    if (c.owner) {
      EXPECT_EQ(c.owner->ComponentCount(), before);
    }
  }
  // The failed second component left the first one's chain alone.
  Add({modControl, modAlt}, vkA);
  EXPECT_TRUE(PressHotKey(CtrlAlt, 'A'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:0");
}

TEST_F(GlobalHotKeyTest, MessagePassesTheFormBeforeTheEventsAndKeepsItsResult) {
  THotKeyItem* item = Add({modControl, modAlt}, vkA);
  item->SetOnHotKey(TNotifyEvent([this](TObject* s) {
    EXPECT_EQ(s, keys);
    EventLog().push_back("OnHotKey");
  }));
  win::LRESULT r = win::SendMessageA(form->OwnerFormHandle(), win::WM_HOTKEY, 0, 0);
  EXPECT_EQ(r, FormHotKeyResult);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"form:hotkey", "OnHotKey", "OnHotKeys:0"}));

  EventLog().clear();
  ASSERT_TRUE(PressHotKey(CtrlAlt, 'A'));
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"form:hotkey", "OnHotKey", "OnHotKeys:0"}));
}

TEST_F(GlobalHotKeyTest, AKeylessItemTakesItsIndexButRegistersNothing) {
  THotKeyItem* a = Add({modControl, modAlt}, vkA);
  THotKeyItem* none = Add({modControl, modAlt}, vkNone);
  THotKeyItem* c = Add({modControl, modAlt}, vkC);
  EXPECT_TRUE(a->Registered());
  EXPECT_TRUE(none->Enabled());
  EXPECT_FALSE(none->Registered());
  EXPECT_TRUE(c->Registered());

  ASSERT_TRUE(PressHotKey(CtrlAlt, 'C'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:2");
}

// An item registers only while it is in the hot keys, whichever way it came or left.
TEST_F(GlobalHotKeyTest, AnItemRegistersOnlyWhileInTheHotKeys) {
  TCollection plain(THotKeyItem::StaticClass());
  auto* outside = static_cast<THotKeyItem*>(plain.Add());
  outside->SetModifiers({modControl, modAlt});
  outside->SetVirtKey(vkB);
  outside->SetEnabled(true);
  EXPECT_FALSE(outside->Registered());
  outside->SetEnabled(false);
  outside->SetCollection(keys->HotKeys());
  outside->SetEnabled(true);
  EXPECT_TRUE(outside->Registered());
  ASSERT_TRUE(PressHotKey(CtrlAlt, 'B'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:0");

  THotKeyItem* leaving = Add({modControl, modAlt}, vkC, false);
  leaving->SetCollection(&plain);
  leaving->SetEnabled(true);
  EXPECT_FALSE(leaving->Registered());
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'C'));
}

// A handler belongs to its item: an item made in a freed one's place starts without it.
TEST_F(GlobalHotKeyTest, AHandlerStaysWithItsItem) {
  THotKeyItem* first = Add({modControl, modAlt}, vkA);
  THotKeyItem* second = Add({modControl, modAlt}, vkB);
  first->SetOnHotKey(TNotifyEvent([](TObject*) { EventLog().push_back("first"); }));
  second->SetOnHotKey(TNotifyEvent([](TObject*) { EventLog().push_back("second"); }));
  second->SetOnHotKey(TNotifyEvent());
  EXPECT_FALSE(second->OnHotKey());
  keys->HotKeys()->Delete(0);
  THotKeyItem* again = Add({modControl, modAlt}, vkC);
  EXPECT_FALSE(again->OnHotKey());
  again->SetOnHotKey(TNotifyEvent([](TObject*) { EventLog().push_back("again"); }));
  ASSERT_TRUE(PressHotKey(CtrlAlt, 'C'));
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"form:hotkey", "again", "OnHotKeys:1"}));
}

TEST_F(GlobalHotKeyTest, TheFirstOfTwoEqualCombinationsWins) {
  THotKeyItem* first = Add({modShift}, vkF2);
  THotKeyItem* second = Add({modShift}, vkF2);
  EXPECT_TRUE(first->Registered());
  EXPECT_TRUE(second->Enabled());
  EXPECT_FALSE(second->Registered());
  ASSERT_TRUE(PressHotKey(win::MOD_SHIFT, 0x71));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:0");
}

TEST_F(GlobalHotKeyTest, ACombinationHeldElsewhereStaysWantingWithoutError) {
  win::headless::HoldHotKeyElsewhere(CtrlAlt, 'Q');
  THotKeyItem* item = Add({modControl, modAlt}, vkQ);
  EXPECT_TRUE(item->Enabled());
  EXPECT_FALSE(item->Registered());
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'Q'));
}

TEST_F(GlobalHotKeyTest, ItemsEnabledWhileUpdatesAreHeldBackRegisterTogetherAtTheEnd) {
  win::headless::HoldHotKeyElsewhere(CtrlAlt, 'Q');
  THotKeys* items = keys->HotKeys();
  items->BeginUpdate();
  items->BeginUpdate();
  THotKeyItem* a = Add({modControl, modAlt}, vkA);
  THotKeyItem* held = Add({modControl, modAlt}, vkQ);
  THotKeyItem* twin = Add({modControl, modAlt}, vkA);
  THotKeyItem* dropped = Add({modShift}, vkF2);
  dropped->SetEnabled(false);  // changed its mind before the end
  THotKeyItem* b = Add({modControl, modAlt}, vkB);
  items->EndUpdate();
  EXPECT_FALSE(a->Registered()) << "an inner end registers nothing yet";
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'A'));
  items->EndUpdate();

  struct Case {
    THotKeyItem* Item;
    bool Registered;
    const char* What;
  } cases[] = {{a, true, "free"},
               {held, false, "held elsewhere"},
               {twin, false, "an earlier item has it"},
               {dropped, false, "disabled meanwhile"},
               {b, true, "after a refusal"}};
  for (const Case& c : cases) EXPECT_EQ(c.Item->Registered(), c.Registered) << c.What;
  EXPECT_FALSE(PressHotKey(win::MOD_SHIFT, 0x71));
  ASSERT_TRUE(PressHotKey(CtrlAlt, 'B'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:4");
  ASSERT_TRUE(PressHotKey(CtrlAlt, 'A'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:0");

  // Disabling waits for the end as well; disabled and enabled again, an item stays.
  items->BeginUpdate();
  a->SetEnabled(false);
  b->SetEnabled(false);
  b->SetEnabled(true);
  EXPECT_TRUE(PressHotKey(CtrlAlt, 'A')) << "released only at the end";
  items->EndUpdate();
  EXPECT_FALSE(a->Registered());
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'A'));
  EXPECT_TRUE(b->Registered());
  ASSERT_TRUE(PressHotKey(CtrlAlt, 'B'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:4");
}

TEST_F(GlobalHotKeyTest, NewModifiersTakeEffectOnlyAfterReEnabling) {
  THotKeyItem* item = Add({modControl, modAlt}, vkA);
  item->SetModifiers({modShift});
  EXPECT_TRUE(PressHotKey(CtrlAlt, 'A'));
  EXPECT_FALSE(PressHotKey(win::MOD_SHIFT, 'A'));

  item->SetEnabled(false);
  EXPECT_FALSE(item->Registered());
  item->SetEnabled(true);
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'A'));
  EXPECT_TRUE(PressHotKey(win::MOD_SHIFT, 'A'));
}

TEST_F(GlobalHotKeyTest, ClearingTheKeyUnregistersAndDisables) {
  THotKeyItem* item = Add({modControl, modAlt}, vkA);
  item->SetVirtKey(vkNone);
  EXPECT_FALSE(item->Enabled());
  EXPECT_FALSE(item->Registered());
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'A'));
}

TEST_F(GlobalHotKeyTest, DestroyingTheWindowDisablesEveryItem) {
  THotKeyItem* a = Add({modControl, modAlt}, vkA);
  THotKeyItem* b = Add({modWin}, vkB);
  form->DestroyWindowNow();
  for (THotKeyItem* i : {a, b}) {
    EXPECT_FALSE(i->Enabled());
    EXPECT_FALSE(i->Registered());
  }
  EXPECT_FALSE(PressHotKey(CtrlAlt, 'A'));
}

TEST_F(GlobalHotKeyTest, AssignCopiesTheCombinationAndRegistersIt) {
  TCollection holder(THotKeyItem::StaticClass());
  auto* source = static_cast<THotKeyItem*>(holder.Add());
  source->SetModifiers({modWin});
  source->SetVirtKey(vkZ);
  source->SetEnabled(true);  // outside a component: stored only
  EXPECT_FALSE(source->Registered());

  Add({modShift}, vkA);
  THotKeyItem* copy = Add({}, vkNone, false);
  copy->Assign(source);
  EXPECT_EQ(copy->DisplayName(), "Win_Z");
  EXPECT_TRUE(copy->Enabled());
  EXPECT_TRUE(copy->Registered());
  ASSERT_TRUE(PressHotKey(win::MOD_WIN, 'Z'));
  EXPECT_EQ(EventLog().back(), "OnHotKeys:1");

  TComponent foreign(nullptr);
  try {
    copy->Assign(&foreign);
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a THotKeyItem");
  }
}

TEST_F(GlobalHotKeyTest, AHotKeyForADeletedItemRaisesAfterTheChainRan) {
  Add({modControl, modAlt}, vkA);
  keys->HotKeys()->Delete(0);  // the registration stays, under index 0
  EXPECT_THROW(win::SendMessageA(form->OwnerFormHandle(), win::WM_HOTKEY, 0, 0), EListError);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"form:hotkey"});
}

TEST_F(GlobalHotKeyTest, ItemsReadFromADescriptionRegisterWhenLoaded) {
  RegisterClass(TGlobalHotKeys::StaticClass());
  RegisterClass(TTestForm::StaticClass());
  auto read = std::make_unique<TTestForm>();
  TReader(R"(object TestForm: TTestForm
  object myhotkey: TGlobalHotKeys
    HotKeys = <
      item
        Enabled = True
        Modifiers = [modControl, modAlt]
        VirtKey = vkF5
      end
      item
        Enabled = True
        VirtKey = vkNone
      end>
  end
end
)")
      .ReadRootComponent(read.get());
  auto* k = dynamic_cast<TGlobalHotKeys*>(read->FindComponent("myhotkey"));
  ASSERT_NE(k, nullptr);
  ASSERT_EQ(k->HotKeys()->Count(), 2);
  EXPECT_TRUE(k->HotKeys()->ItemAt(0)->Registered());
  EXPECT_EQ(k->HotKeys()->ItemAt(0)->DisplayName(), "ControlAlt_F5");
  EXPECT_FALSE(k->HotKeys()->ItemAt(1)->Registered());
  EXPECT_TRUE(PressHotKey(CtrlAlt, 0x74));
}

TEST_F(GlobalHotKeyTest, FreeingTheComponentRestoresTheFormProcedure) {
  win::HWND wnd = form->OwnerFormHandle();
  auto installed = win::GetWindowLongA(wnd, win::GWL_WNDPROC);
  delete keys;
  keys = nullptr;
  EXPECT_NE(win::GetWindowLongA(wnd, win::GWL_WNDPROC), installed);
  EventLog().clear();
  EXPECT_EQ(win::SendMessageA(wnd, win::WM_HOTKEY, 0, 0), FormHotKeyResult);
  EXPECT_EQ(EventLog(), std::vector<std::string>{"form:hotkey"});
}

}  // namespace
