#include "grid/DBGridGx/ColumnInterceptors.h"

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Strings.h"

void TColumnGxPropertyInterceptor::Publish(TClassBuilder<TColumnGxPropertyInterceptor>& b) {
  b.WriteOnlyProperty<int>("Width", &TColumnGxPropertyInterceptor::SetWidth);
}

void TColumnGxPropertyInterceptor::SetWidth(int Value) {
  auto* column = dynamic_cast<TColumnGx*>(Target());
  if (!column) return;
  TCustomDBGridGx* grid = column->Grid();
  if (grid && grid->AutoFitColWidths()) column->SetProportionalWidth(Value);
  else column->SetWidth(Value);
}

void TColumnsGxPropertyInterceptor::Publish(TClassBuilder<TColumnsGxPropertyInterceptor>& b) {
  b.Property("ColumnsIndex", &TColumnsGxPropertyInterceptor::ColumnsIndex,
             &TColumnsGxPropertyInterceptor::SetColumnsIndex);
}

TDBGridColumnsGx* TColumnsGxPropertyInterceptor::Columns() const {
  return dynamic_cast<TDBGridColumnsGx*>(Target());
}

std::string TColumnsGxPropertyInterceptor::ColumnsIndex() const {
  std::string text;
  TDBGridColumnsGx* columns = Columns();
  if (!columns) return text;
  for (int i = 0; i < columns->Count(); ++i) {
    if (i > 0) text += ',';
    // A quote inside a name is doubled, as comma text reads it back.
    text += '"';
    for (char c : columns->ColumnAt(i)->FieldName()) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    text += '"';
  }
  return text;
}

void TColumnsGxPropertyInterceptor::SetColumnsIndex(const std::string& Value) {
  TDBGridColumnsGx* columns = Columns();
  if (!columns) return;
  TStringList names;
  names.SetCommaText(Value);
  columns->BeginUpdate();
  auto endUpdate = AtScopeExit([columns] { columns->EndUpdate(); });
  // Columns before `placed` are in their final places; a name places the first of the
  // others, so a column named twice is placed once and every index stays in range.
  int placed = 0;
  for (int n = 0; n < names.Count() && placed < columns->Count(); ++n) {
    for (int i = placed; i < columns->Count(); ++i) {
      TColumnGx* column = columns->ColumnAt(i);
      if (column->FieldName() != names[n]) continue;
      column->SetIndex(placed++);
      break;
    }
  }
}

void RegisterColumnInterceptors() {
  RegisterPropertyInterceptorClass(TColumnGx::StaticClass(), TColumnGxPropertyInterceptor::StaticClass());
  RegisterPropertyInterceptorClass(TDBGridColumnsGx::StaticClass(), TColumnsGxPropertyInterceptor::StaticClass());
}
