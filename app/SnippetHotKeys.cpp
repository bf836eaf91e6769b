#include "app/SnippetHotKeys.h"

#include "platform/controls/Clipbrd.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

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
bool Flag(TDataSet* Table, const char* Name) {
  TField* f = Table->FieldByName(Name);
  return !f->IsNull() && f->AsBoolean();
}

TVirtKey KeyOf(TDataSet* Table) {
  Variant v = Table->FieldByName("KeyIndex")->AsVariant();
  if (VarIsNull(v) || v.IsEmpty()) return vkNone;
  return VirtKeyFromOrdinal(v.AsInt64());
}
}  // namespace

void BindSnippetRows(TDataSet* Table, THotKeys* HotKeys, TStrings* ContentList) {
  for (Table->First(); !Table->Eof(); Table->Next()) {
    THotKeyItem* item = HotKeys->AddItem();
    TModifiers mods = item->Modifiers();
    if (Flag(Table, "shift")) mods += modShift;
    if (Flag(Table, "control")) mods += modControl;
    if (Flag(Table, "alt")) mods += modAlt;
    if (Flag(Table, "win")) mods += modWin;
    item->SetModifiers(mods);
    item->SetVirtKey(KeyOf(Table));
    item->SetEnabled(true);
    TField* content = Table->FieldByName("Content");
    ContentList->Add(content->IsNull() ? std::string() : content->AsString());
  }
}

void CopySnippetToClipboard(TStrings* ContentList, int Index) {
  try {
    if (!ContentList || Index < 0 || Index >= ContentList->Count()) return;
    Clipboard()->SetAsText(ContentList->Strings(Index));
  } catch (...) {
    // Nothing is shown: the key simply does nothing this time.
  }
}
