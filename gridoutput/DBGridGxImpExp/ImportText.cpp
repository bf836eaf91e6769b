// Reading tab-separated text.
#include "gridoutput/DBGridGxImpExp/ImportText.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/SysUtils.h"

void TDBGridGxImportAsText::ReadFromStream(TStream* Stream, bool ImportAll) {
  FIgnoreAll = false;
  FState = stEnd;
  FBufPos = FBufLen = 0;
  FPushBack.clear();
  FPushPos = 0;
  FHasHeld = false;
  FNoClosingQuote = false;
  TDBGridGxImport::ReadFromStream(Stream, ImportAll);
}

bool TDBGridGxImportAsText::NextByte(char& Byte) {
  if (FHasHeld) {
    FHasHeld = false;
    Byte = FHeld;
    return true;
  }
  if (FPushPos < FPushBack.size()) {
    Byte = FPushBack[FPushPos++];
    return true;
  }
  if (FBufPos == FBufLen) {
    const std::int64_t n = Stream()->Read(FBuffer, sizeof FBuffer);
    FBufPos = 0;
    FBufLen = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (FBufLen == 0) return false;
  }
  Byte = FBuffer[FBufPos++];
  return true;
}

void TDBGridGxImportAsText::CheckState() {
  if (!NextByte(FByte)) {
    FState = stEnd;
    SetEndOfData(true);
    return;
  }
  switch (FByte) {
    case '\t': FState = stCellEnd; break;
    case '\n': FState = stRowEnd; break;
    case '\r': {
      char next;
      if (!NextByte(next) || next != '\n')
        throw Exception(std::string("TDBGridGxImportAsText.CheckState: ") + STextFormatError);
      FState = stRowEnd;
      break;
    }
    default: FState = stData; break;
  }
}

bool TDBGridGxImportAsText::ReadQuoted(std::string& Text) {
  std::string raw;
  char b;
  while (NextByte(b)) {
    raw.push_back(b);
    if (b != '"') {
      Text.push_back(b);
      continue;
    }
    char after;
    if (!NextByte(after)) return true;
    if (after == '"') {
      raw.push_back(after);
      Text.push_back('"');
      continue;
    }
    FHeld = after;
    FHasHeld = true;
    return true;
  }
  // No closing quote: the bytes are read again as plain text.
  FPushBack = std::move(raw);
  FPushPos = 0;
  FNoClosingQuote = true;
  return false;
}

std::string TDBGridGxImportAsText::NextToken() {
  std::string token;
  // Plain bytes straight from the buffer, up to the next separator (none while bytes read
  // ahead wait to be read again).
  auto plainRun = [&] {
    if (FHasHeld || FPushPos < FPushBack.size()) return;
    std::size_t stop = FBufPos;
    while (stop < FBufLen && FBuffer[stop] != '\t' && FBuffer[stop] != '\r' && FBuffer[stop] != '\n') ++stop;
    token.append(FBuffer + FBufPos, stop - FBufPos);
    FBufPos = stop;
  };
  if (FByte == '"' && !FNoClosingQuote) {
    if (!ReadQuoted(token)) token = "\"";
  } else {
    token.push_back(FByte);
    plainRun();
  }
  CheckState();
  while (FState == stData) {
    token.push_back(FByte);
    plainRun();
    CheckState();
  }
  if (FState == stCellEnd) CheckState();
  return token;
}

void TDBGridGxImportAsText::ReadPrefix() { CheckState(); }

void TDBGridGxImportAsText::ReadRow(TColumnsGxList* Columns) {
  if (FState == stEnd) return;
  const int count = Columns->Count();
  int position = 0;
  if (FState == stData) {
    FToken = NextToken();
    if (count > 0) ReadCell(Columns->ColumnAt(0));
    position = 1;
  }
  while (FState == stData || FState == stCellEnd) {
    if (FState == stCellEnd) {
      FToken.clear();
      CheckState();
    } else {
      FToken = NextToken();
    }
    if (position < count) ReadCell(Columns->ColumnAt(position));
    ++position;
  }
  // The first byte of the next row, or the end again.
  CheckState();
}

void TDBGridGxImportAsText::ReadCell(TColumnGx* Column) {
  if (!Column) return;
  TField* shown = Column->Field();
  if (shown && shown->FieldKind() == fkLookup) {
    if (shown->KeyFields().empty()) return;
    WriteImportedCell(Column, [&](TField* Field) {
      TDataSet* list = shown->LookupDataSet();
      if (!list) return;
      TLocateOptions options;
      options.Include(loCaseInsensitive);
      if (list->Locate(shown->LookupResultField(), Variant(FToken), options))
        Field->DataSet()->SetFieldValues(shown->KeyFields(), list->FieldValues(shown->LookupKeyFields()));
    });
    return;
  }
  if (Column->CellKind() == CellKindKeyPickList) {
    WriteImportedCell(Column, [&](TField* Field) {
      TStrings* pick = Column->PickList();
      TStrings* keys = Column->KeyList();
      for (int i = 0; i < pick->Count(); ++i)
        if (AnsiSameText(pick->Strings(i), FToken)) {
          Field->SetText(i < keys->Count() ? cell_values_detail::FirstKeyListItem(keys->Strings(i)) : std::string());
          return;
        }
      // An empty cell clears the key; any other text must be one of the list's.
      if (!FToken.empty()) throw Exception("'" + FToken + "' 不在列表中");
      Field->Clear();
    });
    return;
  }
  WriteImportedCell(Column, [&](TField* Field) { Field->SetText(FToken); });
}
