#include "gridcontrols/ToolCtrlsGx/SpecRow.h"

#include <cstdlib>

#include "platform/controls/Control.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

// ---- TSpecRowGx ----------------------------------------------------------------------

TSpecRowGx::TSpecRowGx(TPersistent* Owner)
    : FOwner(Owner), FCells(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()) {
  if (TControl* c = OwnerControl()) {
    FFont->Assign(c->Font());
    FColor = c->Color();
  }
  FFont->SetOnChange(TNotifyEvent::Bind(this, &TSpecRowGx::FontChanged));
}

TSpecRowGx::~TSpecRowGx() = default;

void TSpecRowGx::Publish(TClassBuilder<TSpecRowGx>& b) {
  b.Property("CellsText", &TSpecRowGx::CellsText, &TSpecRowGx::SetCellsText);
  b.Property("Color", &TSpecRowGx::Color, &TSpecRowGx::SetColor).Stored(&TSpecRowGx::ColorAssigned);
  b.Property("Font", &TSpecRowGx::Font, &TSpecRowGx::SetFont).Stored(&TSpecRowGx::FontAssigned);
  b.Property("ShortCut", &TSpecRowGx::ShortCut, &TSpecRowGx::SetShortCut).Default(win::WORD(0x802E));
  b.Property("ShowIfNotInKeyList", &TSpecRowGx::ShowIfNotInKeyList, &TSpecRowGx::SetShowIfNotInKeyList)
      .Default(true);
  b.Property("Value", &TSpecRowGx::Value, &TSpecRowGx::SetValue).Stored(&TSpecRowGx::IsValueStored);
  b.Property("Visible", &TSpecRowGx::Visible, &TSpecRowGx::SetVisible).Default(false);
}

TControl* TSpecRowGx::OwnerControl() const { return dynamic_cast<TControl*>(FOwner); }

void TSpecRowGx::Changed() {
  if (FUpdateCount == 0 && FOnChanged) FOnChanged(this);
}

void TSpecRowGx::EndUpdate() {
  --FUpdateCount;
  Changed();
}

std::string TSpecRowGx::CellTextAt(int Index) const {
  if (Index < 0 || Index >= FCells->Count()) return std::string();
  return FCells->Get(Index);
}

// Cells are separated by ';'; a cell starting with '"' is a quoted string ("" inside
// stands for one quote). Control characters around cells are skipped; blanks are kept.
void TSpecRowGx::SetCellsText(const std::string& Value) {
  if (Value == FCellsText) return;
  FCellsText = Value;
  FCells->BeginUpdate();
  {
    auto guard = AtScopeExit([&] { FCells->EndUpdate(); });
    FCells->Clear();
    // Text ends at its end or at a NUL character.
    const std::string_view text(Value.c_str());
    std::size_t p = 0;
    const auto isControl = [&](std::size_t at) {
      return at < text.size() && static_cast<unsigned char>(text[at]) < 32;
    };
    while (isControl(p)) ++p;
    while (p < text.size()) {
      if (text[p] == '"') {
        std::string_view rest = text.substr(p);
        FCells->Add(AnsiExtractQuotedStr(rest, '"'));
        p = text.size() - rest.size();
      } else {
        const std::size_t start = p;
        while (p < text.size() && text[p] != ';' && !isControl(p)) p = Utf8NextChar(text, p);
        FCells->Add(std::string(text.substr(start, p - start)));
      }
      while (isControl(p)) ++p;
      if (p < text.size() && text[p] == ';') {
        ++p;
        while (isControl(p)) ++p;
      }
    }
  }
  Changed();
}

TColor TSpecRowGx::Color() const {
  if (FColorAssigned) return FColor;
  if (TControl* c = OwnerControl()) return c->Color();
  return FColor;
}

void TSpecRowGx::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  FColorAssigned = true;
  Changed();
}

TFont* TSpecRowGx::Font() {
  if (!FFontAssigned)
    if (TControl* c = OwnerControl(); c && c->Font()->Handle() != FFont->Handle()) {
      const TNotifyEvent saved = FFont->OnChange();
      FFont->SetOnChange(nullptr);
      FFont->Assign(c->Font());
      FFont->SetOnChange(saved);
    }
  return FFont.get();
}

void TSpecRowGx::FontChanged(TObject*) {
  FFontAssigned = true;
  Changed();
}

void TSpecRowGx::SetShowIfNotInKeyList(bool Value) {
  if (Value == FShowIfNotInKeyList) return;
  FShowIfNotInKeyList = Value;
  Changed();
}

void TSpecRowGx::SetValue(const Variant& Value) {
  if (VariantsEqual(Value, FValue) && VarType(Value) == VarType(FValue)) return;
  FValue = Value;
  Changed();
}

bool TSpecRowGx::IsValueStored() const { return !VariantsEqual(FValue, Null()); }

void TSpecRowGx::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed();
}

void TSpecRowGx::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSpecRowGx*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  auto guard = AtScopeExit([&] { EndUpdate(); });
  SetCellsText(s->CellsText());
  SetColor(s->Color());
  if (s->FontAssigned()) SetFont(s->Font());
  FShortCut = s->ShortCut();
  SetShowIfNotInKeyList(s->ShowIfNotInKeyList());
  SetValue(s->Value());
  SetVisible(s->Visible());
}

// ---- Double clicks -------------------------------------------------------------------

bool WithinDoubleClick(const win::POINT& FirstPoint, const win::POINT& Point, int Elapsed) {
  return Elapsed <= static_cast<int>(win::GetDoubleClickTime()) &&
         std::abs(FirstPoint.x - Point.x) <= win::GetSystemMetrics(win::SM_CXDOUBLECLK) &&
         std::abs(FirstPoint.y - Point.y) <= win::GetSystemMetrics(win::SM_CYDOUBLECLK);
}
