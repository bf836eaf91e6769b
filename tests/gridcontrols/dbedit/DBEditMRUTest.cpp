// The drop-down of recently used texts: filtering by what is typed, keys and clicks while
// it is open, resizing, and recording committed texts.
#include "tests/support/DBEditFixture.h"

namespace {

class DBEditMRUTest : public DBEditTest {
protected:
  void SetUp() override {
    DBEditTest::SetUp();
    Edit = NewEdit();
    Other = NewEdit();
    Other->SetTop(150);
    Edit->MRUList()->SetActive(true);
    for (const char* Item : {"banana", "apple", "Apricot"}) Edit->MRUList()->Items()->Add(Item);
    Focus(Edit);
  }
  bool Open() const { return Edit->MRUList()->DroppedDown() && Edit->MRUPopup() && Edit->MRUPopup()->Visible(); }
  std::vector<std::string> Offered() const {
    std::vector<std::string> Rows;
    for (int i = 0; i < Edit->MRUPopup()->Items()->Count(); ++i) Rows.push_back(Edit->MRUPopup()->Items()->Strings(i));
    return Rows;
  }
  TDBEditGx* Edit = nullptr;
  TDBEditGx* Other = nullptr;
};

TEST_F(DBEditMRUTest, TypingFiltersByPrefixWithAndWithoutCase) {
  win::headless::TypeText("ap");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Offered(), (std::vector<std::string>{"apple", "Apricot"}));
  EXPECT_EQ(Edit->MRUPopup()->ItemIndex(), -1);
  // The list drops under the text area, as wide as it.
  win::RECT Area{};
  Edit->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&Area));
  EXPECT_EQ(Edit->MRUPopup()->Width(), Area.right - Area.left);
  EXPECT_GE(Edit->MRUPopup()->Top(), Edit->ClientToScreen({0, Area.bottom}).y);
  win::headless::TypeText("r");
  EXPECT_EQ(Offered(), (std::vector<std::string>{"Apricot"}));
  // Emptying the text closes the list.
  Edit->SelectAll();
  win::headless::PressKey(win::VK_BACK);
  EXPECT_FALSE(Open());
  Edit->MRUList()->SetCaseSensitive(true);
  win::headless::TypeText("ap");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Offered(), (std::vector<std::string>{"apple"}));
  // Nothing passing the filter closes it.
  win::headless::TypeText("x");
  EXPECT_FALSE(Open());
}

TEST_F(DBEditMRUTest, DownAndEnterTakeTheSelectedText) {
  win::headless::TypeText("ap");
  ASSERT_TRUE(Open());
  win::headless::PressKey(win::VK_DOWN);
  win::headless::PressKey(win::VK_DOWN);
  EXPECT_EQ(Edit->MRUPopup()->ItemIndex(), 1);
  EXPECT_EQ(Edit->GetText(), "ap");
  EXPECT_NE(Edit->Perform(CM_WANTSPECIALKEY, win::VK_RETURN, 0), 0);
  win::headless::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Edit->GetText(), "Apricot");
  EXPECT_EQ(Edit->SelLength(), 7);
  win::headless::ProcessMessages();
  EXPECT_FALSE(Open());  // taking a text does not open the list again
}

TEST_F(DBEditMRUTest, EscAndAClickElsewhereCloseWithoutChange) {
  win::headless::TypeText("ap");
  win::headless::PressKey(win::VK_DOWN);
  win::headless::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Edit->GetText(), "ap");
  win::headless::TypeText("p");
  ASSERT_TRUE(Open());
  win::POINT P = Other->ClientToScreen({5, 5});
  win::headless::Click(win::headless::MouseButton::Left, P.x, P.y);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Edit->GetText(), "app");
}

TEST_F(DBEditMRUTest, AClickOnARowTakesIt) {
  win::headless::TypeText("ap");
  ASSERT_TRUE(Open());
  TMRUListboxGx* Popup = Edit->MRUPopup();
  win::POINT P = Popup->ClientToScreen({5, Popup->ItemHeight() / 2});
  win::headless::Click(win::headless::MouseButton::Left, P.x, P.y);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Edit->GetText(), "apple");
}

// Characters that share their codes with navigation keys are text, not navigation.
TEST_F(DBEditMRUTest, PunctuationWithNavigationCodesReachesTheText) {
  Edit->MRUList()->Items()->Add("a(b)!&\"");
  win::headless::TypeText("a");
  ASSERT_TRUE(Open());
  win::headless::TypeText("(b)!&\"");
  EXPECT_EQ(Edit->GetText(), "a(b)!&\"");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Offered(), (std::vector<std::string>{"a(b)!&\""}));
}

TEST_F(DBEditMRUTest, ResizingTheOpenListStoresItsRows) {
  for (const char* Item : {"ab", "ac", "ad", "ae", "af", "ag", "ah", "ai"}) Edit->MRUList()->Items()->Add(Item);
  win::headless::TypeText("a");
  ASSERT_TRUE(Open());
  TMRUListboxGx* Popup = Edit->MRUPopup();
  EXPECT_EQ(Popup->RowCount(), 7);
  // Drag the grip three rows up.
  TSizeGripGx* Grip = Popup->SizeGrip();
  win::POINT From = Grip->ClientToScreen({Grip->Width() / 2, Grip->Height() / 2});
  win::headless::MouseDown(win::headless::MouseButton::Left, From.x, From.y);
  win::headless::MouseMove(From.x + 10, From.y - 3 * Popup->ItemHeight());
  win::headless::MouseUp(win::headless::MouseButton::Left, From.x + 10, From.y - 3 * Popup->ItemHeight());
  EXPECT_EQ(Edit->MRUList()->Rows(), 4);
  EXPECT_EQ(Edit->MRUList()->PopupWidth(), Popup->Width());
  win::headless::PressKey(win::VK_ESCAPE);
  win::headless::TypeText("b");
  Edit->SelectAll();
  win::headless::TypeText("a");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Popup->RowCount(), 4);
}

TEST_F(DBEditMRUTest, CommittedTextsAreRecorded) {
  win::headless::TypeText("cherry");
  Focus(Other);
  EXPECT_EQ(Edit->MRUList()->Items()->Strings(Edit->MRUList()->Items()->Count() - 1), "cherry");
  Edit->MRUList()->SetActive(false);
  Edit->SetText("damson");
  EXPECT_EQ(Edit->MRUList()->Items()->IndexOf("damson"), -1);
}

}  // namespace
