#pragma once
// Reads tab-separated text into a grid: TAB ends a cell, CR LF or LF alone ends a row,
// a lone CR is a format error. A cell that starts with a double quote is read as
// spreadsheets write it (doubled quotes inside, TABs and line breaks kept) when its
// closing quote comes; without one it is plain text. Key-list columns take a pick-list
// text and store its key, lookup columns a looked-up text and store its key.
#include <string>

#include "gridoutput/DBGridGxImpExp/Import.h"

inline constexpr const char* STextFormatError = "错误的文本格式";

class TDBGridGxImportAsText : public TDBGridGxImport {
  VANTREL_CLASS(TDBGridGxImportAsText, TDBGridGxImport)
public:
  TDBGridGxImportAsText() = default;
  void ReadFromStream(TStream* Stream, bool ImportAll) override;

protected:
  void ReadPrefix() override;
  void ReadRow(TColumnsGxList* Columns) override;
  void ReadCell(TColumnGx* Column) override;

  // What the last byte read was.
  enum TState { stData, stCellEnd, stRowEnd, stEnd };
  // Reads one byte and classifies it.
  void CheckState();
  // Reads one byte; false at the end of the stream.
  bool NextByte(char& Byte);
  // The text of the cell that starts with the current data byte; afterwards the state
  // describes the byte after the cell's TAB, or the row end or end that closed it.
  std::string NextToken();

  char FByte = 0;
  TState FState = stEnd;
  std::string FToken;

private:
  // A quoted cell whose opening quote was just read; false (stream back where it was)
  // when no closing quote comes.
  bool ReadQuoted(std::string& Text);
  // Bytes read ahead of the stream's position.
  char FBuffer[4096];
  std::size_t FBufPos = 0, FBufLen = 0;
  // Bytes to read again before the stream's (an unclosed quoted cell read as plain text),
  // and one byte read past a closing quote.
  std::string FPushBack;
  std::size_t FPushPos = 0;
  bool FHasHeld = false;
  char FHeld = 0;
  // An unclosed quote ran to the end: no later cell can close one either.
  bool FNoClosingQuote = false;
};
