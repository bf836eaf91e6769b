// The grid's column interceptors: the order of the columns as a text of field names, and
// a width written into a grid that fits its columns.
#include "tests/support/GridFixture.h"

namespace {

class ColumnInterceptorsTest : public GridTest {
protected:
  TDBGridGx* GridOf(std::initializer_list<const char*> Fields) {
    TDBGridGx* Grid = NewGrid();
    Grid->SetBounds(0, 0, 400, 200);
    for (const char* F : Fields) Grid->Columns()->AddColumn()->SetFieldName(F);
    return Grid;
  }
  // The field names in column order, with the column's tag after a duplicate's name.
  static std::string Order(TDBGridGx* Grid) {
    std::string Text;
    for (int I = 0; I < Grid->Columns()->Count(); ++I) {
      TColumnGx* C = Grid->Columns()->ColumnAt(I);
      Text += (I ? " " : "") + C->FieldName() + (C->Tag() ? std::to_string(C->Tag()) : "");
    }
    return Text;
  }
};

TEST_F(ColumnInterceptorsTest, TheGridUnitRegistersThemAndSetsTheLayoutPath) {
  EXPECT_EQ(GridLayoutRegistryBase(), "Software\\Microsoft\\Quenlar\\GridSave\\");
  auto InterceptorOf = [](TClass Target) -> TClass {
    for (std::size_t I = 0; I < PropertyInterceptorTargets().size(); ++I)
      if (PropertyInterceptorTargets()[I] == Target) return PropertyInterceptorClasses()[I];
    return nullptr;
  };
  EXPECT_EQ(InterceptorOf(TColumnGx::StaticClass()), TColumnGxPropertyInterceptor::StaticClass());
  EXPECT_EQ(InterceptorOf(TDBGridColumnsGx::StaticClass()), TColumnsGxPropertyInterceptor::StaticClass());
  EXPECT_EQ(InterceptorOf(TCustomForm::StaticClass()), TFormStoragePropertyInterceptor::StaticClass());
}

TEST_F(ColumnInterceptorsTest, ColumnsIndexReadsTheFieldNamesInOrder) {
  TDBGridGx* Grid = GridOf({"A", "B", "名称"});
  TColumnsGxPropertyInterceptor Interceptor(Grid->Columns());
  EXPECT_EQ(GetStrProp(&Interceptor, "ColumnsIndex"), "\"A\",\"B\",\"名称\"");
  TDBGridColumnsGx Empty(nullptr, TDBGridColumnGx::StaticClass());
  EXPECT_EQ(TColumnsGxPropertyInterceptor(&Empty).ColumnsIndex(), "");
}

TEST_F(ColumnInterceptorsTest, ColumnsIndexPutsTheColumnsInOrder) {
  const struct {
    const char* Text;
    const char* Order;
  } Cases[] = {
      {"\"D\",\"C\",\"B\",\"A\"", "D C B A"},
      // Unknown names are skipped; the columns never named follow in their order.
      {"\"C\",\"X\",\"A\"", "C A B D"},
      // As many names as columns, one of them unknown: every index stays in range.
      {"\"X\",\"D\",\"C\",\"B\"", "D C B A"},
      {"B,D", "B D A C"},
      // A name given twice places its column once.
      {"\"C\",\"C\",\"A\"", "C A B D"},
      {"", "A B C D"},
  };
  for (const auto& C : Cases) {
    TDBGridGx* Grid = GridOf({"A", "B", "C", "D"});
    TColumnsGxPropertyInterceptor Interceptor(Grid->Columns());
    SetStrProp(&Interceptor, "ColumnsIndex", C.Text);
    EXPECT_EQ(Order(Grid), C.Order) << C.Text;
    delete Grid;
  }
}

TEST_F(ColumnInterceptorsTest, ColumnsSharingAFieldNameKeepTheirOrder) {
  TDBGridGx* Grid = GridOf({"A", "B", "A", "C"});
  Grid->Columns()->ColumnAt(0)->SetTag(1);
  Grid->Columns()->ColumnAt(2)->SetTag(2);
  TColumnsGxPropertyInterceptor Interceptor(Grid->Columns());
  // Read from another arrangement, the text puts this one back.
  const std::string Saved = Interceptor.ColumnsIndex();
  SetStrProp(&Interceptor, "ColumnsIndex", "\"C\",\"A\",\"A\",\"B\"");
  EXPECT_EQ(Order(Grid), "C A1 A2 B");
  SetStrProp(&Interceptor, "ColumnsIndex", Saved);
  EXPECT_EQ(Order(Grid), "A1 B A2 C");
  // One name for two columns moves the first one found.
  SetStrProp(&Interceptor, "ColumnsIndex", "\"B\",\"A\"");
  EXPECT_EQ(Order(Grid), "B A1 A2 C");
}

TEST_F(ColumnInterceptorsTest, AWidthIntoAFittingGridBecomesTheColumnsShare) {
  TDBGridGx* Grid = GridOf({"A", "B"});
  TColumnGx* A = Grid->Columns()->ColumnAt(0);
  A->SetWidth(80);
  TColumnGxPropertyInterceptor Interceptor(A);
  SetOrdProp(&Interceptor, "Width", 120);
  EXPECT_EQ(A->Width(), 120);
  EXPECT_THROW(GetOrdProp(&Interceptor, "Width"), EPropertyError);

  Grid->SetAutoFitColWidths(true);
  const int Before = A->Width();
  SetOrdProp(&Interceptor, "Width", 300);
  EXPECT_EQ(A->ProportionalWidth(), 300);
  EXPECT_EQ(A->Width(), Before);
}

}  // namespace
