// A list box's prefix search (LB_SELECTSTRING): where it starts, wrapping, letter case.
#include "ControlsFixture.h"

#include "platform/controls/ListBoxes.h"

namespace {

using ListBoxSelectStringTest = ControlsTest;

TEST_F(ListBoxSelectStringTest, SearchesAfterTheStartWrappingAndFromTheFirstItemWhenTheStartIsOutside) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->SetParent(&form);
  for (const char* s : {"Apple", "banana", "apricot", "Cherry", "date"}) list->Items()->Add(s);
  const struct {
    int Start;
    const char* Prefix;
    int Found;
  } cases[] = {
      {0xFFFF, "ap", 0},   // past the end: from the first item
      {5, "a", 0},         // just past the end
      {-1, "AP", 0},       // no start; letter case does not matter
      {0, "ap", 2},        // after the start
      {2, "ap", 0},        // wraps to the front
      {0xFFFF, "ch", 3},
      {0xFFFF, "x", win::LB_ERR},
      {0xFFFF, "", 0},     // an empty prefix matches the first item
  };
  for (const auto& c : cases) {
    list->SetItemIndex(1);
    win::LRESULT r = list->Perform(win::LB_SELECTSTRING, static_cast<win::WPARAM>(c.Start),
                                   reinterpret_cast<win::LPARAM>(c.Prefix));
    EXPECT_EQ(r, c.Found) << c.Start << " " << c.Prefix;
    EXPECT_EQ(list->ItemIndex(), c.Found == win::LB_ERR ? 1 : c.Found) << c.Start << " " << c.Prefix;
  }
}

}  // namespace
