#pragma once
// "VCLDBIF", the grid's interchange form of a block of cells: a 12-byte header ("VCLDBIF",
// a version byte, a little-endian 32-bit column count N), N column descriptors (a visible
// flag and a zero-ended name), then N tagged values per row and an end tag. Values keep
// their type where the text forms keep only display text.
#include <cstdint>
#include <string>
#include <vector>

#include "gridoutput/DBGridGxImpExp/Export.h"
#include "gridoutput/DBGridGxImpExp/Import.h"
#include "platform/rtl/Variant.h"

enum TVCLDBIFValueTag : std::uint8_t {
  vdtEnd, vdtUnassigned, vdtNull, vdtInteger, vdtFloat, vdtString, vdtBinary
};

struct TVCLDBIFHeader {
  char Signature[7];
  std::uint8_t Version;
  std::int32_t ColCount;
};

struct TVCLDBIFColumnDesc {
  bool Visible = false;
  std::string Name;
};

// The message of every format error of the reader.
inline constexpr const char* SVCLDBIFFormatError = "错误的 VCLDBIF 格式";

class TDBGridGxExportAsVCLDBIF : public TDBGridGxExport {
  VANTREL_CLASS(TDBGridGxExportAsVCLDBIF, TDBGridGxExport)
public:
  TDBGridGxExportAsVCLDBIF() = default;

protected:
  void WriteHeader() override;
  void WriteTrailer() override;
  void WriteCell(TColumnGx* Column, TColCellParamsGx* CellParams) override;

  // Each writes its tag and payload in one piece.
  void PutUnassignedValue();
  void PutNullValue();
  void PutIntegerValue(std::int32_t Value);
  void PutFloatValue(double Value);
  void PutStringValue(const std::string& Value);
  void PutBinaryValue(const std::string& Value);

private:
  void PutSizedValue(TVCLDBIFValueTag Tag, const std::string& Value);
};

class TDBGridGxImportAsVCLDBIF : public TDBGridGxImport {
  VANTREL_CLASS(TDBGridGxImportAsVCLDBIF, TDBGridGxImport)
public:
  TDBGridGxImportAsVCLDBIF() = default;
  void ReadFromStream(TStream* Stream, bool ImportAll) override;

protected:
  void ReadPrefix() override;
  void ReadRow(TColumnsGxList* Columns) override;
  void ReadCell(TColumnGx* Column) override;
  // Reads the next tagged value into the look-ahead; nothing once the end was seen.
  void ReadTaggedValue();

private:
  [[noreturn]] static void FormatError();
  void ReadExactly(void* Buffer, std::int64_t Count);

  TVCLDBIFHeader FHeader{};
  std::int32_t FColCount = 0;
  std::vector<TVCLDBIFColumnDesc> FColumnDescs;
  Variant FLookAhead;
  // Bytes the stream holds after its position when that is known (-1: unknown).
  std::int64_t FRemaining = -1;
};
