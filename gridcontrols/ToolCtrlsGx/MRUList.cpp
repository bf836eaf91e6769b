#include "gridcontrols/ToolCtrlsGx/MRUList.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

TMRUListGx::TMRUListGx(TPersistent* AOwner) : FOwner(AOwner), FItems(std::make_unique<TStringList>()) {}

TMRUListGx::~TMRUListGx() = default;

void TMRUListGx::Publish(TClassBuilder<TMRUListGx>& b) {
  b.Property("Active", &TMRUListGx::Active, &TMRUListGx::SetActive).Default(false);
  b.Property("CaseSensitive", &TMRUListGx::CaseSensitive, &TMRUListGx::SetCaseSensitive).Default(false);
  b.Property("Items", &TMRUListGx::Items, &TMRUListGx::SetItems);
  b.Property("Limit", &TMRUListGx::Limit, &TMRUListGx::SetLimit).Default(100);
  b.Property("Rows", &TMRUListGx::Rows, &TMRUListGx::SetRows).Default(7);
}

void TMRUListGx::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TMRUListGx*>(Source)) {
    SetActive(other->FActive);
    SetItems(other->FItems.get());
    SetLimit(other->FLimit);
    FRows = other->FRows;
    FCaseSensitive = other->FCaseSensitive;
    return;
  }
  TPersistent::Assign(Source);
}

void TMRUListGx::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (FOnActiveChanged) FOnActiveChanged(this);
}

void TMRUListGx::SetLimit(int Value) {
  Value = std::max(Value, 0);
  if (FLimit == Value) return;
  FLimit = Value;
  TrimToLimit();
}

void TMRUListGx::TrimToLimit() {
  while (FItems->Count() > FLimit) FItems->Delete(0);
}

void TMRUListGx::AddRecent(const std::string& Text) {
  if (Trim(Text).empty()) return;
  for (int i = 0; i < FItems->Count(); ++i) {
    const std::string& item = FItems->Strings(i);
    if (FCaseSensitive ? item == Text : AnsiCompareText(item, Text) == 0) {
      FItems->Move(i, FItems->Count() - 1);
      return;
    }
  }
  FItems->Add(Text);
  TrimToLimit();
}

void TMRUListGx::ClosePopup(bool Accept) {
  if (FOnCloseUp) FOnCloseUp(this, Accept);
}

void TMRUListGx::OpenPopup() {
  if (FOnDropDown) FOnDropDown(this);
}
