#include "app/SnippetHotKeys.h"

#include "platform/controls/Clipbrd.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <cstdio>

std::string SnippetConnectionString(const std::string& DatabasePath) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + DatabasePath +
         ";Mode=Share Deny None;Extended Properties=\"\";Jet OLEDB:System database=\"\";"
         "Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;"
         "Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk Ops=2;"
         "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";"
         "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
         "Jet OLEDB:Don't Copy Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;"
         "Jet OLEDB:SFP=False";
}

namespace {
// The table's columns the pass reads, looked up once.
struct TSnippetFields {
  explicit TSnippetFields(TDataSet* Table)
      : Shift(Table->FieldByName("shift")), Control(Table->FieldByName("control")), Alt(Table->FieldByName("alt")),
        Win(Table->FieldByName("win")), KeyIndex(Table->FieldByName("KeyIndex")),
        Content(Table->FieldByName("Content")) {}
  TField *Shift, *Control, *Alt, *Win, *KeyIndex, *Content;
};

// A null flag reads as false, a null text as "".
bool Flag(TField* f) { return f->AsBoolean(); }

TVirtKey KeyOf(TField* f) { return f->IsNull() ? vkNone : VirtKeyFromOrdinal(f->AsLargeInt()); }

void BindRows(TDataSet* Table, THotKeys* HotKeys, TStrings* ContentList) {
  Table->First();
  if (Table->Eof()) return;
  TSnippetFields f(Table);
  // One item and one text per row: both are made the size of the table at once, not grown
  // row by row.
  const int rows = std::max(Table->RecordCount(), 0);
  HotKeys->SetCapacity(HotKeys->Count() + rows);
  ContentList->SetCapacity(ContentList->Count() + rows);
  int keyless = 0;
  // The keys are registered together when the pass ends.
  HotKeys->BeginUpdate();
  auto registerKeys = AtScopeExit([&] { HotKeys->EndUpdate(); });
  for (; !Table->Eof(); Table->Next()) {
    THotKeyItem* item = HotKeys->AddItem();
    ContentList->Add(f.Content->AsString());
    if (item->Index() > win::MaxHotKeyId) {
      // The window system has no identifier left for it: the row keeps its place only.
      ++keyless;
      continue;
    }
    TModifiers mods = item->Modifiers();
    if (Flag(f.Shift)) mods += modShift;
    if (Flag(f.Control)) mods += modControl;
    if (Flag(f.Alt)) mods += modAlt;
    if (Flag(f.Win)) mods += modWin;
    item->SetModifiers(mods);
    item->SetVirtKey(KeyOf(f.KeyIndex));
    item->SetEnabled(true);
  }
  if (keyless > 0)
    std::fprintf(stderr, "vantrel: only the first %d rows can have hot keys; %d rows after them have none\n",
                 win::MaxHotKeyId + 1, keyless);
}
}  // namespace

void BindSnippetRows(TDataSet* Table, THotKeys* HotKeys, TStrings* ContentList) {
  // Controls on the table show where the pass ends, not every row on the way.
  Table->DisableControls();
  auto guard = AtScopeExit([&] { Table->EnableControls(); });
  BindRows(Table, HotKeys, ContentList);
}

void CopySnippetToClipboard(TStrings* ContentList, int Index) {
  try {
    if (!ContentList || Index < 0 || Index >= ContentList->Count()) return;
    Clipboard()->SetAsText(ContentList->Strings(Index));
  } catch (...) {
    // Nothing is shown: the key simply does nothing this time.
  }
}
