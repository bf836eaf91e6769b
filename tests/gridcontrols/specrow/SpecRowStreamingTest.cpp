// A special row's settings, its key value among them, survive writing and reading a form.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gridcontrols/ToolCtrlsGx.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/forms/FormText.h"

namespace {

class TSpecRowHolder : public TComponent {
  VANTREL_CLASS(TSpecRowHolder, TComponent)
public:
  explicit TSpecRowHolder(TComponent* AOwner) : TComponent(AOwner), FSpecRow(std::make_unique<TSpecRowGx>(this)) {}
  TSpecRowGx* SpecRow() const { return FSpecRow.get(); }
  void SetSpecRow(TSpecRowGx* Value) { FSpecRow->Assign(Value); }
  static void Publish(TClassBuilder<TSpecRowHolder>& b) {
    b.Property("SpecRow", &TSpecRowHolder::SpecRow, &TSpecRowHolder::SetSpecRow);
  }

private:
  std::unique_ptr<TSpecRowGx> FSpecRow;
};

TEST(SpecRowStreaming, TheValueComesBackWithItsType) {
  RegisterClass(TSpecRowHolder::StaticClass());
  const struct {
    const char* Name;
    Variant Value;
  } cases[] = {
      {"null", Null()},
      {"integer", Variant(7)},
      {"float", Variant(-0.125)},
      {"string", Variant("(none)")},
      {"boolean", Variant(false)},
      {"date", Variant::FromDateTime(EncodeDate(2024, 2, 29))},
      {"unassigned differs from null", Unassigned()},
      {"two-field key", VarArrayOf({Variant(3), Variant("b")})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSpecRowHolder Holder(nullptr);
    Holder.SetName("H");
    Holder.SpecRow()->SetCellsText("<none>");
    Holder.SpecRow()->SetVisible(true);
    Holder.SpecRow()->SetValue(c.Value);
    const std::string Text = WriteComponentResText(&Holder);
    // Null is the default and is not written.
    EXPECT_EQ(Text.find("SpecRow.Value") == std::string::npos, VarIsNull(c.Value)) << Text;

    TSpecRowHolder Back(nullptr);
    ReadComponentResText(Text, &Back);
    const Variant& V = Back.SpecRow()->Value();
    EXPECT_EQ(V.Type(), c.Value.Type());
    EXPECT_TRUE(VariantsEqual(V, c.Value) || (V.IsEmpty() && c.Value.IsEmpty()));
    EXPECT_EQ(Back.SpecRow()->CellTextAt(0), "<none>");
    EXPECT_TRUE(Back.SpecRow()->Visible());
  }
}

}  // namespace
