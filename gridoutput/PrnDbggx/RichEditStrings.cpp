// The lines of a rich text and its streams.
#include "gridoutput/PrnDbggx/RichEditStrings.h"

#include <vector>

#include "platform/rtl/Streams.h"

int TRichEditStrings::Count() const {
  const auto& P = FDocument.Paragraphs();
  const bool LastEmpty = P.back().Runs.empty() || P.back().Text().empty();
  return int(P.size()) - (LastEmpty ? 1 : 0);
}

std::string TRichEditStrings::Get(int Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
  return FDocument.Paragraphs()[std::size_t(Index)].Text();
}

void TRichEditStrings::Put(int Index, const std::string& S) {
  if (Index < 0 || Index >= Count()) return;
  TRichTextParagraph& P = FDocument.Paragraphs()[std::size_t(Index)];
  const TRichTextFormat Format = P.Runs.empty() ? P.MarkFormat : P.Runs.front().Format;
  P.Runs.clear();
  if (!S.empty()) P.Runs.push_back({Format, S});
}

void TRichEditStrings::Insert(int Index, const std::string& S) {
  if (Index < 0 || Index > Count()) return;
  auto& Paragraphs = FDocument.Paragraphs();
  // A new line takes the format of the line it goes before, or of the text's end.
  const TRichTextParagraph& Next = Paragraphs[std::min<std::size_t>(std::size_t(Index), Paragraphs.size() - 1)];
  TRichTextParagraph P;
  P.MarkFormat = Next.Runs.empty() ? Next.MarkFormat : Next.Runs.front().Format;
  if (!S.empty()) P.Runs.push_back({P.MarkFormat, S});
  Paragraphs.insert(Paragraphs.begin() + Index, std::move(P));
}

void TRichEditStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  auto& Paragraphs = FDocument.Paragraphs();
  Paragraphs.erase(Paragraphs.begin() + Index);
  if (Paragraphs.empty()) FDocument.Clear();
}

void TRichEditStrings::Clear() { FDocument.Clear(); }

void TRichEditStrings::SetText(const std::string& Value) { FDocument.SetPlainText(Value); }

void TRichEditStrings::Assign(TPersistent* Source) {
  if (auto* Rich = dynamic_cast<TRichEditStrings*>(Source)) {
    FDocument = Rich->FDocument;
    return;
  }
  TStrings::Assign(Source);
}

void TRichEditStrings::LoadFromStream(TStream* Stream) {
  std::string Data;
  char Buffer[4096];
  for (std::int64_t N; (N = Stream->Read(Buffer, sizeof Buffer)) > 0;) Data.append(Buffer, std::size_t(N));
  if (!FPlainText && FDocument.LoadRtf(Data)) return;
  FDocument.SetPlainText(Data);
}

void TRichEditStrings::SaveToStream(TStream* Stream) const {
  const std::string Data = FPlainText ? FDocument.PlainText() : FDocument.SaveRtf();
  Stream->WriteBuffer(Data.data(), std::int64_t(Data.size()));
}

void TRichEditStrings::LoadFromFile(const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&File);
}

void TRichEditStrings::SaveToFile(const std::string& FileName) const {
  TFileStream File(FileName, fmCreate);
  SaveToStream(&File);
  File.Close();
}
