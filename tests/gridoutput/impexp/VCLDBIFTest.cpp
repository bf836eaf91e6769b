// The interchange form: its bytes, a round trip of every field type, how its columns meet
// the target's, and damaged streams refused before anything is written.
#include <cstring>

#include "tests/support/ImpExpFixture.h"

namespace {

using Table = std::vector<std::vector<std::string>>;

// Pieces of a stream.
std::string Le32(std::int32_t V) {
  std::string S(4, '\0');
  for (int I = 0; I < 4; ++I) S[I] = static_cast<char>((static_cast<std::uint32_t>(V) >> (8 * I)) & 0xFF);
  return S;
}
std::string Header(std::int32_t Columns) { return std::string("VCLDBIF\x01", 8) + Le32(Columns); }
std::string Descs(int Count) {
  std::string S;
  for (int I = 0; I < Count; ++I) S += std::string("\x01\x00", 2);
  return S;
}
std::string Int(std::int32_t V) { return "\x03" + Le32(V); }
std::string Str(const std::string& V) { return "\x05" + Le32(static_cast<std::int32_t>(V.size())) + V; }
const std::string Null("\x02", 1), Unassigned("\x01", 1), End("\x00", 1);

class VCLDBIFTest : public ImpExpTest {
protected:
  std::string Write(bool All = false) { return Export(TDBGridGxExportAsVCLDBIF::StaticClass(), All); }
  void Read(const std::string& Bytes) { Import(TDBGridGxImportAsVCLDBIF::StaticClass(), Bytes); }
};

TEST_F(VCLDBIFTest, BytesAsWritten) {
  MakeGrid({{"Code", ftInteger}, {"Name", ftString}}, {{"5", "ab"}, {std::nullopt, std::nullopt}, {"7", "c"}});
  Grid->GridSelection()->SelectAll();
  EXPECT_EQ(Write(), Header(2) + Descs(2) + Int(5) + Str("ab") + Null + Null + Int(7) + Str("c") + End);
  EXPECT_EQ(Write().substr(12, 4), std::string("\x01\x00\x01\x00", 4)) << "12 + 2 x 2 bytes before the values";
  EXPECT_EQ(Int(5), std::string("\x03\x05\x00\x00\x00", 5));
  EXPECT_EQ(Str("ab"), std::string("\x05\x02\x00\x00\x00\x61\x62", 7));
  SelectRect(0, 1, 0, 2);
  EXPECT_EQ(Write(), Header(1) + Descs(1) + Null + Int(7) + End) << "a rectangle of one column";
  Grid->GridSelection()->Reset();
  EXPECT_EQ(Write(), "") << "nothing selected: not even a header";
  TextGrid(1, {});
  EXPECT_EQ(Write(true), Header(1) + Descs(1) + End) << "no rows";
}

// The tag each field type is written with, read from the stream.
std::vector<int> Tags(const std::string& Stream, int Columns) {
  std::vector<int> Out;
  std::size_t At = 12 + 2 * static_cast<std::size_t>(Columns);
  while (At < Stream.size() && Stream[At] != 0) {
    const int Tag = Stream[At++];
    Out.push_back(Tag);
    if (Tag == 3) At += 4;
    if (Tag == 4) At += 8;
    if (Tag == 5 || Tag == 6) {
      std::int32_t L;
      std::memcpy(&L, Stream.data() + At, 4);
      At += 4 + static_cast<std::size_t>(L);
    }
  }
  return Out;
}

TEST_F(VCLDBIFTest, EveryFieldTypeGoesOutWithItsTagAndComesBack) {
  MakeGrid({{"Small", ftSmallint}, {"Int", ftInteger}, {"Word", ftWord}, {"Float", ftFloat}, {"Money", ftCurrency},
            {"Bcd", ftBCD}, {"FmtBcd", ftFMTBcd}, {"Date", ftDate}, {"Time", ftTime}, {"Stamp", ftDateTime},
            {"SqlStamp", ftTimeStamp}, {"Text", ftString}, {"Flag", ftBoolean}, {"Memo", ftMemo},
            {"Fixed", ftFixedChar}, {"Large", ftLargeint}, {"Bytes", ftBytes}, {"VarBytes", ftVarBytes},
            {"Wide", ftWideString}, {"Blob", ftBlob}},
           {{"-7", "123456", "65000", "2.5", "12.34", "1.2345", "-9.5", "2/29/2024", "13:45:10",
             "2/29/2024 13:45:10", "12/31/1999 23:59:59", "中文 text", "True", "line1\r\nline2", "fx",
             "9007199254740993", "b\x01y", "v\tb", "wide 字", std::nullopt},
            {}});
  Data->First();
  Data->Edit();
  Data->FieldByName("Blob")->SetAsString(std::string("blob\0data", 9));
  Data->Post();
  Grid->SetDrawMemoText(true);  // memos are edited as text
  Grid->GridSelection()->SelectAll();
  const std::string Stream = Write();
  const int Columns = Data->FieldCount();
  const std::vector<int> Expected{3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 6, 6, 6, 6};
  std::vector<int> Both = Expected;
  Both.insert(Both.end(), Expected.size(), 2);  // the second record is all null
  EXPECT_EQ(Tags(Stream, Columns), Both);

  const Table Before = Records();
  Data->First();
  while (!Data->IsEmpty()) Data->Delete();
  Grid->GridSelection()->Reset();
  Read(Stream);
  Table After = Records();
  // Blob fields are not edited through the grid: the import leaves them as it finds them.
  ASSERT_EQ(After.size(), 2u);
  EXPECT_EQ(After[0].back(), "<null>");
  After[0].back() = Before[0].back();
  EXPECT_EQ(After, Before);
}

TEST_F(VCLDBIFTest, ALookupColumnCarriesItsKey) {
  LookupGrid({1, 2});
  SelectColumns({1});
  const std::string Stream = Write();
  EXPECT_EQ(Stream, Header(1) + Descs(1) + Int(1) + Int(2) + End);
  Data->First();
  for (int I = 0; I < 2; ++I, Data->Next()) {
    Data->Edit();
    Data->FieldByName("Code")->SetAsInteger(3);
    Data->Post();
  }
  Read(Stream);
  EXPECT_EQ(Records(), (Table{{"1", "Apple"}, {"2", "Banana"}}));
}

TEST_F(VCLDBIFTest, ColumnsMatchByPositionWhateverTheCounts) {
  struct Case {
    const char* Name;
    std::string Stream;
    Table Expected;
  };
  const std::vector<Case> Cases{
      {"values beyond the target's columns are read and dropped",
       Header(4) + Descs(4) + Str("p") + Str("q") + Str("r") + Str("dropped") + Str("s") + Str("t") + Str("u") +
           Str("dropped") + End,
       {{"p", "q", "r"}, {"s", "t", "u"}}},
      {"one column changes only the first", Header(1) + Descs(1) + Str("p") + Str("r") + End,
       {{"p", "b1", "c1"}, {"r", "b2", "c2"}}},
      {"no value leaves the field, null clears it", Header(2) + Descs(2) + Unassigned + Null + End,
       {{"a1", "<null>", "c1"}, {"a2", "b2", "c2"}}},
      {"no columns and no rows", Header(0) + End, {{"a1", "b1", "c1"}, {"a2", "b2", "c2"}}},
  };
  for (const Case& C : Cases) {
    TextGrid(3, {{"a1", "b1", "c1"}, {"a2", "b2", "c2"}});
    Grid->SetAllowedOperations(Grid->AllowedOperations() - alopAppendGx);
    Read(C.Stream);
    EXPECT_EQ(Records(), C.Expected) << C.Name;
  }
  TextGrid(1, {{"a1"}});
  TStringStream In(Header(1) + Descs(1) + Str("p") + End + "trailing bytes");
  ImportGridFromStream(TDBGridGxImportAsVCLDBIF::StaticClass(), Grid, &In, false);
  EXPECT_EQ(In.Position(), 12 + 2 + 6 + 1) << "nothing after the end tag is read";
}

TEST_F(VCLDBIFTest, DamagedStreamsAreRefusedBeforeAnyRowIsWritten) {
  const std::string Good = Header(2) + Descs(2) + Str("p") + Int(1) + Str("q") + Int(2) + End;
  std::vector<std::pair<std::string, std::string>> Cases;
  for (int I = 0; I < 7; ++I) {
    std::string Bad = Good;
    Bad[I] = static_cast<char>(Bad[I] ^ 0x20);
    Cases.push_back({"signature letter " + std::to_string(I), Bad});
  }
  for (std::size_t N = 0; N < Good.size(); ++N) Cases.push_back({"cut after " + std::to_string(N), Good.substr(0, N)});
  Cases.insert(Cases.end(), {
      {"no columns but a value", Header(0) + Int(1) + End},
      {"a negative column count and values", Header(-1) + Str("x") + Str("y") + End},
      {"a huge column count", Header(0x7FFFFFFF) + Descs(2) + End},
      {"a string longer than the stream", Header(1) + Descs(1) + "\x05" + Le32(0x7FFFFFFF) + "abc" + End},
      {"a negative length", Header(1) + Descs(1) + "\x06" + Le32(-5) + End},
      {"half a row", Header(2) + Descs(2) + Str("p") + Int(1) + Str("q") + End},
      {"no end tag", Header(1) + Descs(1) + Str("p")},
      {"a name without its zero byte", Header(1) + "\x01name"},
  });
  for (const auto& [Name, Bytes] : Cases) {
    TextGrid(2, {{"a1", "b1"}});
    const std::size_t Questions = win::headless::MessageBoxes().size();
    try {
      Read(Bytes);
      ADD_FAILURE() << Name << ": accepted";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "TDBGridGxImportAsVCLDBIF.ReadPrefix: 错误的 VCLDBIF 格式") << Name;
    }
    EXPECT_EQ(Records(), (Table{{"a1", "b1"}})) << Name;
    EXPECT_EQ(win::headless::MessageBoxes().size(), Questions) << Name;
    EXPECT_FALSE(Data->ControlsDisabled()) << Name;
  }
  TextGrid(2, {{"a1", "b1"}});
  Read(Good);
  EXPECT_EQ(Records(), (Table{{"p", "1"}, {"q", "2"}})) << "the undamaged stream";
}

}  // namespace
