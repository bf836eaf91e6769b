#pragma once
// TRichEditStrings: the lines of a rich text, so that the texts before and after a
// printed grid can carry fonts, sizes, styles and colours. Each line is a paragraph.
#include <string>

#include "platform/controls/RichText.h"
#include "platform/rtl/Strings.h"

class TStream;

class TRichEditStrings : public TStrings {
  VANTREL_CLASS(TRichEditStrings, TStrings)
public:
  TRichEditStrings() = default;

  // The paragraphs, less a last empty one (a text ending in a line break).
  int Count() const override;
  std::string Get(int Index) const override;
  // Replaces the text of a line, in the format of its first character; ignored for a
  // line that does not exist.
  void Put(int Index, const std::string& S) override;
  // A new line before line Index (Index = Count adds one at the end); ignored beyond.
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  // Plain lines, split at CR LF, LF or CR.
  void SetText(const std::string& Value) override;
  // From another rich text its formatting too; from other lines their text.
  void Assign(TPersistent* Source) override;

  // Reads the rest of the stream as RTF; what is not RTF, or everything while PlainText
  // is set, is read as plain text.
  void LoadFromStream(TStream* Stream);
  // Writes RTF, or the plain text while PlainText is set.
  void SaveToStream(TStream* Stream) const;
  // The same through a file.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }

  TRichTextDocument& Document() { return FDocument; }
  const TRichTextDocument& Document() const { return FDocument; }

private:
  TRichTextDocument FDocument;
  bool FPlainText = false;
};
