// The lookup grid's columns: each has a cell of the special row, and moving a default
// column moves its list field and its special-row text along.
#include "grid/DBLookupGridsGx/LookupGrid.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <vector>

// ---- the special-row cell ----

TGridColumnSpecCellGx::TGridColumnSpecCellGx(TColumnGx* Owner) : FOwner(Owner), FFont(std::make_unique<TFont>()) {
  if (TSpecRowGx* Row = GridSpecRow()) FFont->Assign(Row->Font());
  FFont->SetOnChange(MakeEvent(this, &TGridColumnSpecCellGx::FontChanged));
}

TGridColumnSpecCellGx::~TGridColumnSpecCellGx() = default;

void TGridColumnSpecCellGx::Publish(TClassBuilder<TGridColumnSpecCellGx>& b) {
  using T = TGridColumnSpecCellGx;
  b.Property("Color", &T::Color, &T::SetColor).Stored(&T::ColorAssigned);
  b.Property("Font", &T::Font, &T::SetFont).Stored(&T::FontAssigned);
  b.Property("Text", &T::Text, &T::SetText).Stored(&T::TextAssigned);
}

TSpecRowGx* TGridColumnSpecCellGx::GridSpecRow() const {
  if (!dynamic_cast<TDBLookupGridColumnGx*>(FOwner)) return nullptr;
  auto* Grid = dynamic_cast<TDBLookupGridGx*>(FOwner->Grid());
  return Grid ? Grid->SpecRow() : nullptr;
}

std::string TGridColumnSpecCellGx::Text() const {
  if (FTextAssigned) return FText;
  if (TSpecRowGx* Row = GridSpecRow()) return Row->CellTextAt(FOwner->Index());
  return FText;
}

void TGridColumnSpecCellGx::SetText(const std::string& Value) {
  if (FTextAssigned && Value == FText) return;
  FText = Value;
  FTextAssigned = true;
}

TColor TGridColumnSpecCellGx::Color() const {
  if (FColorAssigned) return FColor;
  if (TSpecRowGx* Row = GridSpecRow()) return Row->Color();
  return FColor;
}

void TGridColumnSpecCellGx::SetColor(TColor Value) {
  if (FColorAssigned && Value == FColor) return;
  FColor = Value;
  FColorAssigned = true;
}

TFont* TGridColumnSpecCellGx::Font() {
  if (!FFontAssigned)
    if (TSpecRowGx* Row = GridSpecRow(); Row && Row->Font()->Handle() != FFont->Handle()) {
      const TNotifyEvent Saved = FFont->OnChange();
      FFont->SetOnChange(nullptr);
      auto restore = AtScopeExit([&] { FFont->SetOnChange(Saved); });
      FFont->Assign(Row->Font());
    }
  return FFont.get();
}

void TGridColumnSpecCellGx::FontChanged(TObject*) { FFontAssigned = true; }

void TGridColumnSpecCellGx::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TGridColumnSpecCellGx*>(Source)) {
    SetText(Other->Text());
    SetColor(Other->Color());
    if (Other->FontAssigned()) SetFont(Other->Font());
    return;
  }
  TPersistent::Assign(Source);
}

// ---- the column ----

TDBLookupGridColumnGx::TDBLookupGridColumnGx(TCollection* Collection)
    : TColumnGx(Collection), FSpecCell(std::make_unique<TGridColumnSpecCellGx>(this)) {}

TDBLookupGridColumnGx::~TDBLookupGridColumnGx() = default;

void TDBLookupGridColumnGx::Publish(TClassBuilder<TDBLookupGridColumnGx>& b) {
  b.Property("SpecCell", &TDBLookupGridColumnGx::SpecCell, &TDBLookupGridColumnGx::SetSpecCell);
}

TDBLookupGridGx* TDBLookupGridColumnGx::LookupGrid() const { return dynamic_cast<TDBLookupGridGx*>(Grid()); }

void TDBLookupGridColumnGx::SetWidth(int Value) {
  if (!IsFieldDriven()) {
    TColumnGx::SetWidth(Value);
    return;
  }
  // The width stays in the column instead of going to the list field's display width.
  FCountAsCustomized = true;
  auto reset = AtScopeExit([this] { FCountAsCustomized = false; });
  TColumnGx::SetWidth(Value);
}

namespace {
// One special-row text as the special row reads it back: quoted when it is empty, holds
// the separator or a control character, or starts with a quote.
std::string SpecRowCellItem(const std::string& Text) {
  bool Quote = Text.empty() || Text.front() == '"';
  for (unsigned char C : Text)
    if (C == ';' || C < 32) Quote = true;
  return Quote ? AnsiQuotedStr(Text, '"') : Text;
}
}  // namespace

void TDBLookupGridColumnGx::ReorderSpecRowTexts(TDBLookupGridGx* G, int OldIndex, int NewIndex) {
  TSpecRowGx* Row = G->SpecRow();
  // Every text is kept, also those past the last column.
  const int Count = std::max(Row->CellCount(), G->Columns()->Count());
  std::vector<std::string> Texts;
  for (int I = 0; I < Count; ++I) Texts.push_back(Row->CellTextAt(I));
  if (OldIndex < 0 || OldIndex >= Count || NewIndex < 0 || NewIndex >= Count) return;
  std::string Moved = Texts[OldIndex];
  Texts.erase(Texts.begin() + OldIndex);
  Texts.insert(Texts.begin() + NewIndex, Moved);
  // Trailing empty texts beyond the old cells add nothing.
  while (static_cast<int>(Texts.size()) > Row->CellCount() && !Texts.empty() && Texts.back().empty())
    Texts.pop_back();
  std::string Joined;
  for (std::size_t I = 0; I < Texts.size(); ++I) {
    if (I > 0) Joined += ';';
    Joined += SpecRowCellItem(Texts[I]);
  }
  Row->SetCellsText(Joined);
}

void TDBLookupGridColumnGx::SetIndex(int Value) {
  TDBLookupGridGx* G = LookupGrid();
  const int Old = Index();
  if (!G || !G->GridLink()->Active() || Value == Old) {
    TColumnGx::SetIndex(Value);
    return;
  }
  if (!IsFieldDriven()) {
    ReorderSpecRowTexts(G, Old, Value);
    TColumnGx::SetIndex(Value);
    return;
  }
  G->LockUpdates();
  auto unlock = AtScopeExit([G] { G->UnlockUpdates(); });
  int L = G->ListFieldIndex();
  if (L == Old) {
    L = Value;
  } else {
    if (Old < L) --L;
    if (L >= Value) ++L;
  }
  G->SetListFieldIndex(L);
  ReorderSpecRowTexts(G, Old, Value);
  {
    FCountAsCustomized = true;
    auto reset = AtScopeExit([this] { FCountAsCustomized = false; });
    TColumnGx::SetIndex(Value);
  }
  std::string Names;
  for (int I = 0; I < G->Columns()->Count(); ++I) {
    if (I > 0) Names += ';';
    Names += G->Columns()->ColumnAt(I)->FieldName();
  }
  G->SetListFields(Names);
}
