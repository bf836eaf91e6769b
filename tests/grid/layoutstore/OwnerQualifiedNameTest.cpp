// The name under which a component keeps its layout.
#include "tests/support/HeadlessFixture.h"

#include "grid/DBGridGx/LayoutRegistry.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Grids.h"
#include "platform/controls/StdCtrls.h"

namespace {

class TFVantrel : public TForm {
  VANTREL_CLASS(TFVantrel, TForm)
public:
  using TForm::TForm;
};

class OwnerQualifiedNameTest : public HeadlessTest {};

TEST_F(OwnerQualifiedNameTest, FormClassAndControlName) {
  auto* Form = new TFVantrel(nullptr);
  auto* Grid = new TCustomGrid(Form);
  Grid->SetName("DBGridGx1");
  Grid->SetParent(Form);
  auto* Table = new TComponent(Form);
  Table->SetName("ADOTable1");
  auto* Panel = new TPanel(nullptr);
  Panel->SetName("Panel1");
  auto* InPanel = new TEdit(nullptr);
  InPanel->SetName("Edit1");
  InPanel->SetParent(Panel);
  auto* Alone = new TEdit(nullptr);
  Alone->SetName("Edit2");
  auto* Loose = new TComponent(Panel);
  Loose->SetName("Loose");

  const struct {
    const char* Name;
    TComponent* Component;
    const char* Expected;
  } cases[] = {
      {"nil", nullptr, ""},
      {"a form", Form, "TFVantrel"},
      {"a control on a form", Grid, "TFVantrelDBGridGx1"},
      {"a component owned by a form", Table, "TFVantrel.ADOTable1"},
      {"a control in a parent without form", InPanel, "Panel1Edit1"},
      {"a control with neither", Alone, "Edit2"},
      {"a component owned by something else", Loose, "Loose"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(OwnerQualifiedName(c.Component), c.Expected);
  }
  delete Alone;
  delete InPanel;
  delete Panel;
  delete Form;
}

}  // namespace
