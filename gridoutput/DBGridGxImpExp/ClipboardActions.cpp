// The grid's clipboard actions: copy the selection in every form, paste the interchange
// form or text, cut, and delete or clear what is selected.
#include <cstring>
#include <string>

#include "grid/DBGridGx.h"
#include "grid/DBGridGx/ColumnsCellValues.h"
#include "gridoutput/DBGridGxImpExp/Export.h"
#include "gridoutput/DBGridGxImpExp/ExportRtf.h"
#include "gridoutput/DBGridGxImpExp/ExportText.h"
#include "gridoutput/DBGridGxImpExp/ImportText.h"
#include "gridoutput/DBGridGxImpExp/SelectionColumns.h"
#include "gridoutput/DBGridGxImpExp/Unit.h"
#include "gridoutput/DBGridGxImpExp/VCLDBIF.h"
#include "platform/controls/Clipbrd.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/desktop/WinKernel.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Utf8.h"

namespace {

// Sets Bytes (then ZeroBytes zero bytes) under Format; the clipboard owns the block once
// it is set.
void PutBytesOnClipboard(win::UINT Format, const void* Bytes, std::size_t Size, std::size_t ZeroBytes = 0) {
  TClipboard* Board = Clipboard();
  Board->Open();
  auto Close = AtScopeExit([Board] { Board->Close(); });
  win::HGLOBAL Block = win::GlobalAlloc(win::GMEM_MOVEABLE | win::GMEM_DDESHARE, Size + ZeroBytes);
  if (!Block) throw Exception("Out of memory");
  bool Owned = false;
  auto Free = AtScopeExit([&] {
    if (!Owned) win::GlobalFree(Block);
  });
  if (Size + ZeroBytes > 0) {
    char* Memory = static_cast<char*>(win::GlobalLock(Block));
    if (Size > 0) std::memcpy(Memory, Bytes, Size);
    std::memset(Memory + Size, 0, ZeroBytes);
    win::GlobalUnlock(Block);
  }
  Board->SetAsHandle(Format, Block);
  Owned = true;
}

// The bytes of the clipboard's block of Format (text: up to its first zero byte); empty
// when there is none.
std::string ClipboardBytes(win::UINT Format) {
  win::HANDLE Block = Clipboard()->GetAsHandle(Format);
  if (!Block) return {};
  const char* Memory = static_cast<const char*>(win::GlobalLock(Block));
  if (!Memory) return {};
  std::size_t Size = win::GlobalSize(Block);
  if (Format == win::CF_TEXT) Size = strnlen(Memory, Size);
  std::string Bytes(Memory, Size);
  win::GlobalUnlock(Block);
  return Bytes;
}

std::string Exported(TDBGridGxExportClass ExportClass, TCustomDBGridGx* Grid, bool All) {
  TStringStream Out;
  ExportGridToStream(ExportClass, Grid, &Out, All);
  return Out.TakeDataString();
}

// Text under Format, zero-ended.
void PutText(win::UINT Format, const std::string& Text) { PutBytesOnClipboard(Format, Text.data(), Text.size(), 1); }

// Asks Question when the grid wants deletes confirmed; whether to go on.
bool ConfirmSelectionDelete(TCustomDBGridGx* Grid, const char* Question) {
  if (!Grid->Options().Contains(dgConfirmDelete)) return true;
  return Application->MessageBox(Question, "Confirm", win::MB_OKCANCEL | win::MB_ICONQUESTION) != win::IDCANCEL;
}

// Clears the cells of the current record under Columns that may be changed (a lookup
// column clears its key fields).
void ClearSelectedCells(TColumnsGxList& Columns) {
  for (int I = 0; I < Columns.Count(); ++I) {
    TColumnGx* Column = Columns.ColumnAt(I);
    if (!Column->CheckEditable(false)) continue;
    TField* Field = Column->Field();
    std::vector<TField*> Targets{Field};
    if (Field->Lookup()) Targets = cell_values_detail::KeyFieldsOf(Field);
    for (TField* Target : Targets) {
      TDataSet* DataSet = Target->DataSet();
      if (!DataSet->CanModify()) continue;
      DataSet->Edit();
      if (DataSet->State() == dsEdit || DataSet->State() == dsInsert) Target->Clear();
    }
  }
}

}  // namespace

void CopyGridSelection(TCustomDBGridGx* Grid, bool All) {
  TDataSet* DataSet = Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
  TClipboard* Board = Clipboard();
  Board->Open();
  auto Close = AtScopeExit([Board] { Board->Close(); });
  if (DataSet) DataSet->DisableControls();
  auto Enable = AtScopeExit([DataSet] {
    if (DataSet) DataSet->EnableControls();
  });
  {
    const std::string Text = Exported(TDBGridGxExportAsText::StaticClass(), Grid, All);
    PutText(win::CF_TEXT, Text);
    const std::u16string Wide = Utf8ToUtf16(Text);
    PutBytesOnClipboard(win::CF_UNICODETEXT, Wide.data(), Wide.size() * sizeof(char16_t), sizeof(char16_t));
  }
  PutText(ClipFormatCsv(), Exported(TDBGridGxExportAsCSV::StaticClass(), Grid, All));
  PutText(ClipFormatRtf(), Exported(TDBGridGxExportAsRTF::StaticClass(), Grid, All));
  const std::string Interchange = Exported(TDBGridGxExportAsVCLDBIF::StaticClass(), Grid, All);
  PutBytesOnClipboard(ClipFormatVCLDBIF(), Interchange.data(), Interchange.size());
}

void PasteIntoGrid(TCustomDBGridGx* Grid, bool All) {
  TClipboard* Board = Clipboard();
  Board->Open();
  auto Close = AtScopeExit([Board] { Board->Close(); });
  if (Board->HasFormat(ClipFormatVCLDBIF())) {
    TStringStream In(ClipboardBytes(ClipFormatVCLDBIF()));
    ImportGridFromStream(TDBGridGxImportAsVCLDBIF::StaticClass(), Grid, &In, All);
  } else if (Board->HasFormat(win::CF_TEXT)) {
    TStringStream In(ClipboardBytes(win::CF_TEXT));
    ImportGridFromStream(TDBGridGxImportAsText::StaticClass(), Grid, &In, All);
  }
}

void CutGridSelection(TCustomDBGridGx* Grid, bool All) {
  CopyGridSelection(Grid, All);
  DeleteGridSelection(Grid, All);
}

void DeleteGridSelection(TCustomDBGridGx* Grid, bool All) {
  TDBGridGxSelection* Selection = Grid->GridSelection();
  const TDBGridGxSelectionType Kind = All ? gstAll : Selection->Kind();
  TDataSet* DataSet = Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
  if (Kind == gstNon || !DataSet) return;
  const char* Question = nullptr;
  switch (Kind) {
    case gstRecordBookmarks:
      Question = Selection->Rows()->Count() <= 1 ? "Delete record?" : "Delete all selected records?";
      break;
    case gstRectangle:
    case gstColumns:
      Question = "清除选择的单元?";
      break;
    default:
      Question = "Delete all records?";
      break;
  }
  if (!ConfirmSelectionDelete(Grid, Question)) return;
  Grid->SaveViewPosition();
  DataSet->DisableControls();
  auto Enable = AtScopeExit([DataSet] { DataSet->EnableControls(); });
  switch (Kind) {
    case gstRecordBookmarks: {
      TBookmarkListGx* Rows = Selection->Rows();
      std::vector<std::string> Marks;
      for (int I = 0; I < Rows->Count(); ++I) Marks.push_back(Rows->BookmarkAt(I));
      for (const std::string& Mark : Marks) {
        if (!DataSet->BookmarkValid(Mark)) continue;
        DataSet->GotoBookmark(Mark);
        DataSet->Delete();
      }
      Selection->Reset();
      break;
    }
    case gstRectangle: {
      TDBGridGxSelectionRect* Rect = Selection->Rect();
      TColumnsGxList Columns;
      VisibleColumnsBetween(Grid, Rect->GetStartColumn(), Rect->GetEndColumn(), Columns);
      const std::string Last = Rect->GetBottomRow();
      DataSet->GotoBookmark(Rect->GetStartRow());
      while (true) {
        ClearSelectedCells(Columns);
        if (DataSet->CompareBookmarks(DataSet->Bookmark(), Last) == 0) break;
        DataSet->Next();
        if (DataSet->Eof()) break;
      }
      Grid->RestoreViewPosition();
      break;
    }
    case gstColumns:
      for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) ClearSelectedCells(*Selection->Columns());
      Grid->RestoreViewPosition();
      break;
    default:
      // Stops when a delete leaves the count as it was (a dataset that refuses it).
      DataSet->First();
      while (!DataSet->Eof()) {
        const int Before = DataSet->RecordCount();
        DataSet->Delete();
        if (DataSet->RecordCount() >= Before) break;
      }
      Selection->Reset();  // the records it named are gone
      break;
  }
}
