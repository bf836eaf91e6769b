// Writing and reading the interchange form. The reader treats its input as untrusted:
// before the first row is written it checks the whole stream (counts and lengths against
// the bytes present, every value complete, whole rows up to the end tag) and refuses a
// damaged one.
#include "gridoutput/DBGridGxImpExp/VCLDBIF.h"

#include <cstring>
#include <memory>

#include "grid/DBGridGx.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr char Signature[7] = {'V', 'C', 'L', 'D', 'B', 'I', 'F'};

void PutLE32(char* To, std::int32_t Value) {
  const auto u = static_cast<std::uint32_t>(Value);
  for (int i = 0; i < 4; ++i) To[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t GetLE32(const char* From) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>(From[i])) << (8 * i);
  return static_cast<std::int32_t>(u);
}

// The field whose value a column carries: a lookup column's key field, else its own.
TField* ExportedField(TColumnGx* Column) {
  TField* field = Column->Field();
  if (field && field->FieldKind() == fkLookup) return field->DataSet()->FindField(field->KeyFields());
  return field;
}

}  // namespace

// ---- writing ----

void TDBGridGxExportAsVCLDBIF::WriteHeader() {
  char header[12];
  std::memcpy(header, Signature, 7);
  header[7] = 1;
  PutLE32(header + 8, ExpCols()->Count());
  Put(header, sizeof header);
  for (int i = 0; i < ExpCols()->Count(); ++i) {
    const char desc[2] = {static_cast<char>(ExpCols()->ColumnAt(i)->Visible() ? 1 : 0), 0};
    Put(desc, 2);
  }
}

void TDBGridGxExportAsVCLDBIF::WriteTrailer() {
  const char end = vdtEnd;
  Put(&end, 1);
}

void TDBGridGxExportAsVCLDBIF::WriteCell(TColumnGx* Column, TColCellParamsGx*) {
  TField* field = ExportedField(Column);
  if (!field) return PutUnassignedValue();
  switch (field->DataType()) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc:
    case ftFloat: case ftCurrency: case ftBCD: case ftDate: case ftTime: case ftDateTime: case ftTimeStamp:
    case ftFMTBcd:
    case ftString: case ftBoolean: case ftMemo: case ftFixedChar: case ftLargeint: case ftOraClob: case ftGuid:
    case ftBytes: case ftVarBytes: case ftBlob: case ftGraphic: case ftFmtMemo: case ftParadoxOle:
    case ftDBaseOle: case ftTypedBinary: case ftWideString: case ftOraBlob:
      if (field->IsNull()) return PutNullValue();
      break;
    default:
      return PutUnassignedValue();
  }
  switch (field->DataType()) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc:
      return PutIntegerValue(field->AsInteger());
    case ftFloat: case ftCurrency: case ftBCD: case ftDate: case ftTime: case ftDateTime: case ftTimeStamp:
    case ftFMTBcd:
      return PutFloatValue(field->AsFloat());
    case ftString: case ftBoolean: case ftMemo: case ftFixedChar: case ftLargeint: case ftOraClob: case ftGuid:
      return PutStringValue(field->AsString());
    default:
      return PutBinaryValue(field->AsString());
  }
}

void TDBGridGxExportAsVCLDBIF::PutUnassignedValue() {
  const char tag = vdtUnassigned;
  Put(&tag, 1);
}

void TDBGridGxExportAsVCLDBIF::PutNullValue() {
  const char tag = vdtNull;
  Put(&tag, 1);
}

void TDBGridGxExportAsVCLDBIF::PutIntegerValue(std::int32_t Value) {
  char bytes[5] = {static_cast<char>(vdtInteger)};
  PutLE32(bytes + 1, Value);
  Put(bytes, sizeof bytes);
}

void TDBGridGxExportAsVCLDBIF::PutFloatValue(double Value) {
  std::uint64_t bits;
  std::memcpy(&bits, &Value, 8);
  char bytes[9] = {static_cast<char>(vdtFloat)};
  for (int i = 0; i < 8; ++i) bytes[1 + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  Put(bytes, sizeof bytes);
}

void TDBGridGxExportAsVCLDBIF::PutSizedValue(TVCLDBIFValueTag Tag, const std::string& Value) {
  if (Value.size() > 0x7FFFFFFF) throw Exception("TDBGridGxExportAsVCLDBIF: value too long");
  std::string bytes(5 + Value.size(), '\0');
  bytes[0] = static_cast<char>(Tag);
  PutLE32(bytes.data() + 1, static_cast<std::int32_t>(Value.size()));
  std::memcpy(bytes.data() + 5, Value.data(), Value.size());
  Put(bytes);
}

void TDBGridGxExportAsVCLDBIF::PutStringValue(const std::string& Value) { PutSizedValue(vdtString, Value); }
void TDBGridGxExportAsVCLDBIF::PutBinaryValue(const std::string& Value) { PutSizedValue(vdtBinary, Value); }

// ---- reading ----

void TDBGridGxImportAsVCLDBIF::FormatError() {
  throw Exception(std::string("TDBGridGxImportAsVCLDBIF.ReadPrefix: ") + SVCLDBIFFormatError);
}

void TDBGridGxImportAsVCLDBIF::ReadExactly(void* Buffer, std::int64_t Count) {
  if (Count < 0 || (FRemaining >= 0 && Count > FRemaining)) FormatError();
  if (Count > 0 && Stream()->Read(Buffer, Count) != Count) FormatError();
  if (FRemaining >= 0) FRemaining -= Count;
}

void TDBGridGxImportAsVCLDBIF::ReadFromStream(TStream* Stream, bool ImportAll) {
  FIgnoreAll = false;
  FColumnDescs.clear();
  FLookAhead = Variant();
  FColCount = 0;
  auto freeNames = AtScopeExit([&] { FColumnDescs.clear(); });
  TDBGridGxImport::ReadFromStream(Stream, ImportAll);
}

namespace {

// Checks the values from the stream's position to the end tag without keeping them: every
// tag's payload present, lengths within the bytes left, whole rows of Columns values
// (none when Columns is 0 or less). Raises through Fail; the position is restored.
template <class F>
void CheckValues(TStream* Stream, std::int64_t Remaining, std::int32_t Columns, F&& Fail) {
  const std::int64_t start = Stream->Position();
  std::int64_t values = 0;
  char buf[4096];
  while (true) {
    unsigned char tag;
    if (Remaining < 1 || Stream->Read(&tag, 1) != 1) Fail();
    --Remaining;
    if (tag == vdtEnd) break;
    ++values;
    if (Columns <= 0) Fail();
    std::int64_t skip = 0;
    switch (tag) {
      case vdtInteger: skip = 4; break;
      case vdtFloat: skip = 8; break;
      case vdtString:
      case vdtBinary: {
        char len[4];
        if (Remaining < 4 || Stream->Read(len, 4) != 4) Fail();
        Remaining -= 4;
        skip = GetLE32(len);
        if (skip < 0) Fail();
        break;
      }
      default: break;
    }
    if (skip > Remaining) Fail();
    Remaining -= skip;
    while (skip > 0) {
      const std::int64_t n = std::min<std::int64_t>(skip, sizeof buf);
      if (Stream->Read(buf, n) != n) Fail();
      skip -= n;
    }
  }
  if (Columns > 0 && values % Columns != 0) Fail();
  Stream->SetPosition(start);
}

}  // namespace

void TDBGridGxImportAsVCLDBIF::ReadPrefix() {
  const std::int64_t size = Stream()->Size();
  const std::int64_t at = Stream()->Position();
  FRemaining = size >= 0 && at >= 0 ? size - at : -1;
  char header[12];
  ReadExactly(header, 12);
  if (std::memcmp(header, Signature, 7) != 0) FormatError();
  std::memcpy(FHeader.Signature, header, 7);
  FHeader.Version = static_cast<std::uint8_t>(header[7]);
  FHeader.ColCount = GetLE32(header + 8);
  FColCount = FHeader.ColCount;
  // Every descriptor takes two bytes at least.
  if (FColCount > 0 && FRemaining >= 0 && FColCount > FRemaining / 2) FormatError();
  for (std::int32_t i = 0; i < FColCount; ++i) {
    TVCLDBIFColumnDesc desc;
    char flag;
    ReadExactly(&flag, 1);
    desc.Visible = flag != 0;
    while (true) {
      char c;
      ReadExactly(&c, 1);
      if (c == 0) break;
      desc.Name.push_back(c);
    }
    FColumnDescs.push_back(std::move(desc));
  }
  if (FRemaining < 0) FormatError();
  CheckValues(Stream(), FRemaining, FColCount, [] { FormatError(); });
  ReadTaggedValue();
}

void TDBGridGxImportAsVCLDBIF::ReadTaggedValue() {
  if (EndOfData()) return;
  unsigned char tag;
  ReadExactly(&tag, 1);
  FLookAhead = Variant();
  switch (tag) {
    case vdtEnd: SetEndOfData(true); break;
    case vdtNull: FLookAhead = Null(); break;
    case vdtInteger: {
      char bytes[4];
      ReadExactly(bytes, 4);
      FLookAhead = Variant(static_cast<int>(GetLE32(bytes)));
      break;
    }
    case vdtFloat: {
      unsigned char bytes[8];
      ReadExactly(bytes, 8);
      std::uint64_t bits = 0;
      for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
      double value;
      std::memcpy(&value, &bits, 8);
      FLookAhead = Variant(value);
      break;
    }
    case vdtString:
    case vdtBinary: {
      char len[4];
      ReadExactly(len, 4);
      const std::int32_t length = GetLE32(len);
      if (length < 0 || length > FRemaining) FormatError();
      std::string text(static_cast<std::size_t>(length), '\0');
      ReadExactly(text.data(), length);
      FLookAhead = Variant(std::move(text));
      break;
    }
    default: break;
  }
}

void TDBGridGxImportAsVCLDBIF::ReadRow(TColumnsGxList* Columns) {
  for (std::int32_t i = 0; i < FColCount; ++i) ReadCell(i < Columns->Count() ? Columns->ColumnAt(i) : nullptr);
}

void TDBGridGxImportAsVCLDBIF::ReadCell(TColumnGx* Column) {
  if (!FLookAhead.IsEmpty() && Column && Column->CheckEditable(false)) {
    const Variant value = FLookAhead;
    WriteImportedCell(Column, [&](TField* Field) { Field->SetValue(value); });
  }
  ReadTaggedValue();
}
