// The import driver: target records and columns, inserting and appending, and the
// guarded cell write with its question.
#include "gridoutput/DBGridGxImpExp/Import.h"

#include <memory>

#include "grid/DBGridGx.h"
#include "gridoutput/DBGridGxImpExp/SelectionColumns.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

void TDBGridGxImport::ReadRow(TColumnsGxList* Columns) {
  for (int i = 0; i < Columns->Count(); ++i) ReadCell(Columns->ColumnAt(i));
}

void TDBGridGxImport::ReadFromFile(const std::string& FileName, bool ImportAll) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  ReadFromStream(&file, ImportAll);
}

void TDBGridGxImport::ReadFromStream(TStream* Stream, bool ImportAll) {
  FStream = Stream;
  FEof = false;
  TCustomDBGridGx* grid = FDBGrid;
  TDataSet* dataSet = grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
  if (!dataSet) return;
  TDBGridGxSelection* selection = grid->GridSelection();
  if (ImportAll) {
    selection->Reset();
    dataSet->First();
    if (grid->ShownColumns()->Count() > 0) grid->SelectDataColumn(grid->ShownColumns()->ColumnAt(0)->Index());
  }
  FAppendMode = dataSet->Eof();
  bool inserting = dataSet->State() == dsInsert;
  if (!inserting) grid->SaveViewPosition();
  dataSet->DisableControls();
  // The rows' writes share one unit of work of the engine; what was written stays.
  dataSet->BeginWriteBatch();
  TColumnsGxList own;
  {
    auto restore = AtScopeExit([&] {
      FImpCols = nullptr;
      auto enable = AtScopeExit([&] { dataSet->EnableControls(); });
      dataSet->EndWriteBatch();
      if (!inserting) grid->RestoreViewPosition();
    });
    switch (selection->Kind()) {
      case gstNon: {
        VisibleColumnsBetween(grid, grid->CurrentDataColumn(), grid->Columns()->Count() - 1, own);
        FImpCols = &own;
        ReadPrefix();
        if (inserting) {
          InsertImportedRows();
          break;
        }
        grid->RestoreViewPosition();
        // An empty dataset has no record to overwrite: its rows are all appended.
        if (!dataSet->IsEmpty()) {
          do {
            if (FEof) break;
            ReadRow(FImpCols);
            dataSet->Next();
          } while (!dataSet->Eof());
        }
        if (!FEof && grid->AllowedOperations().Contains(alopAppendGx)) {
          inserting = true;
          FAppendMode = true;
          InsertImportedRows();
        }
        break;
      }
      case gstRecordBookmarks: {
        FImpCols = grid->ShownColumns();
        ReadPrefix();
        if (inserting) {
          InsertImportedRows();
          break;
        }
        TBookmarkListGx* rows = selection->Rows();
        for (int i = 0; i < rows->Count() && !FEof; ++i) {
          dataSet->GotoBookmark(rows->BookmarkAt(i));
          ReadRow(FImpCols);
        }
        break;
      }
      case gstRectangle: {
        VisibleColumnsBetween(grid, selection->Rect()->GetStartColumn(), selection->Rect()->GetEndColumn(), own);
        FImpCols = &own;
        ReadPrefix();
        if (inserting) {
          InsertImportedRows();
          break;
        }
        const std::string last = selection->Rect()->GetBottomRow();
        dataSet->GotoBookmark(selection->Rect()->GetStartRow());
        while (!FEof) {
          ReadRow(FImpCols);
          if (dataSet->CompareBookmarks(dataSet->Bookmark(), last) == 0) break;
          dataSet->Next();
          if (dataSet->Eof()) break;
        }
        break;
      }
      case gstColumns:
      case gstAll: {
        FImpCols = selection->Kind() == gstColumns ? static_cast<TColumnsGxList*>(selection->Columns())
                                                   : grid->ShownColumns();
        ReadPrefix();
        if (inserting) {
          InsertImportedRows();
          break;
        }
        for (dataSet->First(); !dataSet->Eof() && !FEof; dataSet->Next()) ReadRow(FImpCols);
        break;
      }
    }
  }
  ReadTrailer();
}

void TDBGridGxImport::InsertImportedRows() {
  TDataSet* dataSet = FDBGrid->DataSource()->DataSet();
  while (!FEof) {
    if (FAppendMode) dataSet->Append();
    else dataSet->Insert();
    ReadRow(FImpCols);
    dataSet->Post();
    if (!FAppendMode) dataSet->Next();
  }
}

void TDBGridGxImport::WriteImportedCell(TColumnGx* Column, const std::function<void(TField* Field)>& Convert) {
  if (!Column || !Column->CheckEditable(false)) return;
  TField* field = Column->Field();
  if (!field) return;
  if (field->FieldKind() == fkLookup) {
    const std::string& keys = field->KeyFields();
    field = field->DataSet()->FieldByName(Trim(keys.substr(0, keys.find(';'))));
  }
  TDataSet* dataSet = field->DataSet();
  if (!dataSet->CanModify()) return;
  dataSet->Edit();
  if (dataSet->State() != dsEdit && dataSet->State() != dsInsert) return;
  try {
    Convert(field);
  } catch (const EAbort&) {
    throw;
  } catch (const Exception& E) {
    if (!FIgnoreAll) AskAboutError(E.Message());
  }
}

void TDBGridGxImport::AskAboutError(const std::string& Message) {
  const std::string text = std::string(SImportCellError) + "\n" + Message + "\n\n" + SImportIgnoreError;
  switch (Application->MessageBox(text, "Error", win::MB_YESNOALL | win::MB_ICONERROR)) {
    case win::IDNO: Abort();
    case win::IDALL: FIgnoreAll = true; break;
    default: break;
  }
}

void ImportGridFromStream(TDBGridGxImportClass ImportClass, TCustomDBGridGx* Grid, TStream* Stream, bool All) {
  std::unique_ptr<TDBGridGxImport> importer(static_cast<TDBGridGxImport*>(CreateObject(ImportClass)));
  importer->SetGrid(Grid);
  importer->ReadFromStream(Stream, All);
}
