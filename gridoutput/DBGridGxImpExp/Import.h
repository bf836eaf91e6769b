#pragma once
// TDBGridGxImport writes a stream of rows into a grid's dataset: it picks the target
// records and columns from the grid's selection and the dataset's state, overwrites
// records in place or inserts and appends new ones, and guards every cell write with a
// question that lets the user skip the cell, stop, or skip every further error. The
// readers (tab-separated text, the interchange form) replace the read operations.
#include <functional>
#include <string>

#include "platform/rtl/Classes.h"

class TCustomDBGridGx;
class TColumnGx;
class TColumnsGxList;
class TField;

class TDBGridGxImport : public TObject {
  VANTREL_CLASS(TDBGridGxImport, TObject)
public:
  TDBGridGxImport() = default;

  TCustomDBGridGx* Grid() const { return FDBGrid; }
  void SetGrid(TCustomDBGridGx* Value) { FDBGrid = Value; }

  // Imports the rows of Stream; ImportAll starts from the first record and the first
  // shown column whatever the selection. Answering No to a cell's error question ends
  // the import with EAbort; rows written before stay.
  virtual void ReadFromStream(TStream* Stream, bool ImportAll);
  // Opens the file for reading and imports it.
  virtual void ReadFromFile(const std::string& FileName, bool ImportAll);

protected:
  // Before the first row (a header, the first byte or value); after the last row.
  virtual void ReadPrefix() {}
  virtual void ReadTrailer() {}
  // One source row into the current record, cell by cell.
  virtual void ReadRow(TColumnsGxList* Columns);
  // One source cell into Column (nil: the cell is read and dropped).
  virtual void ReadCell(TColumnGx* Column) {}

  // Appends (in append mode) or inserts a new record for every row left.
  void InsertImportedRows();
  // Writes one cell through Convert, which sets the target field: only when the column may
  // be edited and the dataset is then editing; the errors of Convert go to the question.
  // The target is the column's field, or the key field of a lookup column.
  void WriteImportedCell(TColumnGx* Column, const std::function<void(TField* Field)>& Convert);

  TStream* Stream() const { return FStream; }
  TColumnsGxList* ImpCols() const { return FImpCols; }
  // The source holds no more rows.
  bool EndOfData() const { return FEof; }
  void SetEndOfData(bool Value) { FEof = Value; }
  // The user answered All: errors of this import are skipped silently.
  bool FIgnoreAll = false;

private:
  // The question after a failed cell write.
  void AskAboutError(const std::string& Message);

  TCustomDBGridGx* FDBGrid = nullptr;
  TStream* FStream = nullptr;
  TColumnsGxList* FImpCols = nullptr;
  bool FEof = false;
  bool FAppendMode = false;
};

using TDBGridGxImportClass = TClass;

// The question's text before and after the error's message.
inline constexpr const char* SImportCellError = "插入值过程中出错:";
inline constexpr const char* SImportIgnoreError = "忽略错误?";

// Creates an importer of ImportClass, imports Stream into Grid and frees it.
void ImportGridFromStream(TDBGridGxImportClass ImportClass, TCustomDBGridGx* Grid, TStream* Stream, bool All);
