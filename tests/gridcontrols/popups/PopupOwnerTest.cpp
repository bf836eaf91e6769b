// A popup closes through its owner's popup interface, and only when the owner has one.
#include "PopupsFixture.h"

#include "platform/controls/StdCtrls.h"

namespace {

class OwningEdit : public TEdit, public IPopupOwnerGx {
  VANTREL_CLASS(OwningEdit, TEdit)
public:
  using TEdit::TEdit;
  void ClosePopup(bool Accept) override { Closes.push_back(Accept); }
  std::vector<bool> Closes;
};

using PopupOwnerTest = PopupsTest;

TEST_F(PopupOwnerTest, ClosesThroughTheOwnerThatOwnsPopups) {
  auto* edit = new OwningEdit(Form);
  auto* popup = new RecordingPopup(edit);
  ClosePopupThroughOwner(popup, true);
  ClosePopupThroughOwner(popup, false);
  EXPECT_EQ(edit->Closes, (std::vector<bool>{true, false}));
  // An owner without the interface, and no owner at all: nothing happens.
  auto* plain = new RecordingPopup(Form);
  EXPECT_NO_THROW(ClosePopupThroughOwner(plain, true));
  RecordingPopup orphan(nullptr);
  EXPECT_NO_THROW(ClosePopupThroughOwner(&orphan, true));
  EXPECT_EQ(Supports<IPopupValueGx>(popup), nullptr);
}

}  // namespace
