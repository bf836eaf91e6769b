// Incremental search through the grid's keys on the manual clock: typed prefixes, the
// time-out, Ctrl+F, next and previous matches, Backspace, the clipboard, what ends a
// search, and keys that must not search while a record is being edited.
#include "tests/support/SearchFixture.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/Clipbrd.h"

#include <functional>

namespace {

using win::MOD_CONTROL;

// A grid whose cell editor may show wherever the base grid allows it. While the editor
// holds the focus the editor starts searches; the test starts one itself.
class EditorGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  void Search(const std::string& Text) { IncrementalSearch(Text, DefaultSearchTimeout()); }

protected:
  bool CanEditShow() override { return TCustomGrid::CanEditShow(); }
};
using win::MOD_SHIFT;

TEST_F(SearchTest, TypedPrefixMovesToTheFirstMatchAndTakesTheRecordsCase) {
  Open();
  Type("a");
  EXPECT_TRUE(Grid->Searching());
  EXPECT_EQ(Current(), "apple");
  EXPECT_EQ(Grid->SearchText(), "a");
  Type("b");
  EXPECT_EQ(Current(), "ABC");
  EXPECT_EQ(Grid->SearchText(), "AB");
  Type("d");  // "ABC" does not go on with d: the search goes on from the first record
  EXPECT_EQ(Current(), "abd");
  EXPECT_EQ(Grid->SearchText(), "abd");
  EXPECT_EQ(Data->State(), dsBrowse);
}

TEST_F(SearchTest, ACharacterThatMatchesNothingKeepsTextRecordAndView) {
  Open(40);
  Data->MoveBy(25);
  Grid->Update();
  const int Row = Grid->Row(), ActiveRow = Grid->GridLink()->ActiveRecord();
  Type("q");  // nothing starts with q: the scan walked to the end and came back
  EXPECT_EQ(Current(), "x25");
  EXPECT_EQ(Grid->Row(), Row);
  EXPECT_EQ(Grid->GridLink()->ActiveRecord(), ActiveRow);
  EXPECT_TRUE(Grid->Searching());
  EXPECT_EQ(Grid->SearchText(), "");

  Type("ab");
  EXPECT_EQ(Current(), "ABC");
  Type("z");
  EXPECT_EQ(Current(), "ABC");
  EXPECT_EQ(Grid->SearchText(), "AB");
}

TEST_F(SearchTest, ATypedSearchEndsOneAndAHalfSecondsAfterItsLastKey) {
  Open();
  Type("a");
  Wait(1000);
  Type("p");  // restarts the full time-out
  Wait(1000);
  EXPECT_TRUE(Grid->Searching());
  EXPECT_EQ(Grid->SearchText(), "ap");
  Wait(500);
  EXPECT_FALSE(Grid->Searching());
  EXPECT_EQ(Grid->SearchText(), "");
  EXPECT_EQ(Current(), "apple");
  Type("c");  // a new search
  EXPECT_EQ(Current(), "Cherry");
  EXPECT_EQ(Grid->SearchText(), "C");
}

TEST_F(SearchTest, CtrlFSearchesWithoutTimeOutUntilAKeyEndsIt) {
  const win::UINT Enders[] = {win::VK_RETURN, win::VK_ESCAPE, win::VK_F2};
  Open();
  for (win::UINT Key : Enders) {
    SCOPED_TRACE(Key);
    Press('F', MOD_CONTROL);
    EXPECT_TRUE(Grid->Searching());
    EXPECT_EQ(Grid->SearchText(), "");
    Wait(60000);
    Type("ch");
    EXPECT_EQ(Current(), "Cherry");
    Wait(60000);
    EXPECT_TRUE(Grid->Searching());
    Press(Key);
    EXPECT_FALSE(Grid->Searching());
    Grid->SetEditorMode(false);
    Data->First();
  }
}

TEST_F(SearchTest, NextAndPriorMatchesStopAtTheLastAndFirstMatch) {
  Open();
  Press('F', MOD_CONTROL);
  Press(win::VK_RETURN, MOD_CONTROL);  // no text yet: nothing moves, the search stays
  EXPECT_EQ(Current(), "Berry");
  EXPECT_TRUE(Grid->Searching());
  Type("a");
  const char* Forward[] = {"Apricot", "ABC", "abd", "abd"};
  for (const char* Want : Forward) {
    Press(win::VK_RETURN, MOD_CONTROL);
    EXPECT_EQ(Current(), Want);
  }
  const char* Backward[] = {"ABC", "Apricot", "apple", "apple"};
  for (const char* Want : Backward) {
    Press(win::VK_RETURN, MOD_CONTROL | MOD_SHIFT);
    EXPECT_EQ(Current(), Want);
  }
  EXPECT_EQ(Grid->SearchText(), "a");
}

TEST_F(SearchTest, BackspaceShortensTheTextWithoutMovingAndDoesNothingOnceEmpty) {
  Open();
  Type("ab");
  ASSERT_EQ(Current(), "ABC");
  Press(win::VK_BACK);
  EXPECT_EQ(Grid->SearchText(), "A");
  EXPECT_EQ(Current(), "ABC");
  Press(win::VK_BACK);
  EXPECT_EQ(Grid->SearchText(), "");
  Wait(1000);
  Press(win::VK_BACK);  // nothing left: the time-out is not restarted
  Wait(600);
  EXPECT_FALSE(Grid->Searching());
  EXPECT_EQ(Current(), "ABC");
}

TEST_F(SearchTest, ClipboardTextIsSearchedInsteadOfPasted) {
  Open();
  Press('F', MOD_CONTROL);
  Clipboard()->SetAsText("ab");
  Press('V', MOD_CONTROL);
  EXPECT_EQ(Current(), "ABC");
  EXPECT_EQ(Grid->SearchText(), "AB");
  Clipboard()->SetAsText("d");
  Press(win::VK_INSERT, MOD_SHIFT);
  EXPECT_EQ(Current(), "abd");
  EXPECT_EQ(Grid->SearchText(), "abd");
  Press(win::VK_ESCAPE);
  Press('V', MOD_CONTROL);  // no search: the grid's own paste, which changes nothing here
  EXPECT_FALSE(Grid->Searching());
  EXPECT_EQ(Current(), "abd");
}

TEST_F(SearchTest, SearchKeysDoNotSearchWhileARecordIsEdited) {
  struct Case {
    const char* Name;
    std::function<void()> Keys;
  };
  const Case Cases[] = {
      {"Ctrl+Enter", [this] { Press(win::VK_RETURN, MOD_CONTROL); }},
      {"Ctrl+Shift+Enter", [this] { Press(win::VK_RETURN, MOD_CONTROL | MOD_SHIFT); }},
      {"Ctrl+V", [this] { Press('V', MOD_CONTROL); }},
      {"Shift+Ins", [this] { Press(win::VK_INSERT, MOD_SHIFT); }},
      {"a character", [this] { Type("r"); }},
  };
  Open();
  Clipboard()->SetAsText("r");
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Data->First();
    Press('F', MOD_CONTROL);
    Type("ap");
    ASSERT_EQ(Current(), "apple");
    Data->Edit();
    C.Keys();
    EXPECT_EQ(Data->State(), dsEdit);
    EXPECT_EQ(Current(), "apple");
    EXPECT_EQ(Grid->SearchText(), "ap");
    Data->Cancel();
    Press(win::VK_ESCAPE);
  }
}

TEST_F(SearchTest, ColumnChangesAndForeignMovesEndTheSearch) {
  struct Case {
    const char* Name;
    std::function<void()> End;
    const char* Record;
  };
  const Case Cases[] = {
      {"another column", [this] { Press(win::VK_RIGHT); }, "apple"},
      {"the dataset moved by code", [this] { Data->Next(); }, "Apricot"},
      {"the grid moved by key", [this] { Press(win::VK_DOWN); }, "Apricot"},
  };
  Open();
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCol(Grid->IndicatorColCount());
    Data->First();
    Press('F', MOD_CONTROL);
    Type("ap");
    C.End();
    EXPECT_FALSE(Grid->Searching());
    EXPECT_EQ(Grid->SearchText(), "");
    EXPECT_EQ(Current(), C.Record);
  }
}

TEST_F(SearchTest, TheSearchCountsWholeCharactersAndIgnoresTheirCase) {
  Open();
  Type("\xC3\xA4r");  // "är" finds "Ärger"
  EXPECT_EQ(Current(), "\xC3\x84rger");
  EXPECT_EQ(Grid->SearchText(), "\xC3\x84r");
  Press(win::VK_BACK);
  EXPECT_EQ(Grid->SearchText(), "\xC3\x84");
}

TEST_F(SearchTest, PreferredSearchTypesIntoTheSearchNotTheEditor) {
  Open(8, {dghPreferIncSearch});
  Grid->CurrentColumn()->SetReadOnly(false);
  Type("ch");
  EXPECT_EQ(Current(), "Cherry");
  EXPECT_FALSE(Grid->InplaceEditorVisible());
  EXPECT_EQ(Data->State(), dsBrowse);
}

TEST_F(SearchTest, EndingTheSearchShowsTheAlwaysShownEditorAgain) {
  EditorGrid* G = Open<EditorGrid>();
  Grid->CurrentColumn()->SetReadOnly(false);
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgAlwaysShowEditor});
  Grid->SetEditorMode(true);
  ASSERT_TRUE(Grid->InplaceEditorVisible());
  G->Search("ba");
  EXPECT_EQ(Current(), "banana");
  EXPECT_FALSE(Grid->InplaceEditorVisible());
  Wait(1500);
  EXPECT_FALSE(Grid->Searching());
  EXPECT_TRUE(Grid->InplaceEditorVisible());
}

TEST_F(SearchTest, NothingSearchesWithoutAnActiveLink) {
  Open();
  Data->Close();
  Press('F', MOD_CONTROL);
  Type("a");
  EXPECT_FALSE(Grid->Searching());
}

}  // namespace
