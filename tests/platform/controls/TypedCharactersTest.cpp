// Characters typed into an edit arrive as typed, those beyond the basic plane (two
// character messages each) included, and a key-press handler's change is what is typed.
#include "ControlsFixture.h"

#include "platform/controls/StdCtrls.h"

namespace {

namespace hl = win::headless;

TEST_F(FormTest, TypedCharactersBeyondTheBasicPlaneArriveWhole) {
  for (bool Multi : {false, true}) {
    SCOPED_TRACE(Multi ? "memo" : "edit");
    TCustomEdit* E = Multi ? static_cast<TCustomEdit*>(new TMemo(form)) : new TEdit(form);
    E->SetParent(form);
    E->SetFocus();
    hl::TypeText("中文键😀🎉 x");
    EXPECT_EQ(E->Text(), "中文键😀🎉 x");
    delete E;
  }
}

TEST_F(FormTest, AKeyPressHandlerDecidesTheCharacterTyped) {
  auto* E = new TEdit(form);
  E->SetParent(form);
  E->SetFocus();
  E->SetOnKeyPress([](TObject*, TKeyChar& Key) {
    if (Key == U'a') Key = U'😀';
  });
  hl::TypeText("ab");
  EXPECT_EQ(E->Text(), "😀b");
}

}  // namespace
