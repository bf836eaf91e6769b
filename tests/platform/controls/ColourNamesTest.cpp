#include "ControlsFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/forms/FormText.h"
#include "platform/rtl/TypInfo.h"

namespace {

class ColourNamesTest : public ControlsTest {};

// Colour properties of every class take names: the control's own colour, which no
// class marks specially, as well as font and brush colours.
TEST_F(ColourNamesTest, FormDescriptionReadsNamesAndNumbers) {
  const std::string text =
      "object F: TForm\n"
      "  Color = clBtnFace\n"
      "  Font.Color = clWindowText\n"
      "  object P: TPanel\n"
      "    Color = clInfoBk\n"
      "    Font.Color = 255\n"
      "  end\n"
      "  object L: TLabel\n"
      "    Color = -16777211\n"
      "  end\n"
      "end\n";
  TForm f(nullptr);
  ReadComponentResText(text, &f);
  auto* p = dynamic_cast<TPanel*>(f.FindComponent("P"));
  auto* l = dynamic_cast<TLabel*>(f.FindComponent("L"));
  ASSERT_TRUE(p && l);
  EXPECT_EQ(f.Color(), clBtnFace);
  EXPECT_EQ(f.Font()->Color(), clWindowText);
  EXPECT_EQ(p->Color(), clInfoBk);
  EXPECT_EQ(p->Font()->Color(), clRed);
  EXPECT_EQ(l->Color(), clWindow);

  // Written back with names where a value has one, numbers otherwise.
  p->SetColor(TColor(0x123456));
  std::string out = WriteComponentResText(&f);
  EXPECT_NE(out.find("Color = clBtnFace"), std::string::npos) << out;
  EXPECT_NE(out.find("Font.Color = clWindowText"), std::string::npos) << out;
  EXPECT_NE(out.find("Font.Color = clRed"), std::string::npos) << out;
  EXPECT_NE(out.find("Color = clWindow\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Color = 1193046"), std::string::npos) << out;

  TForm copy(nullptr);
  ReadComponentResText(out, &copy);
  EXPECT_EQ(dynamic_cast<TPanel*>(copy.FindComponent("P"))->Color(), TColor(0x123456));
  EXPECT_EQ(WriteComponentResText(&copy), out);
}

// Every named colour goes through a description and comes back under its own name,
// in any letter case on the way in.
TEST_F(ColourNamesTest, EveryNameRoundTrips) {
  for (const TIdentMapEntry& e : ColorIdents()) {
    SCOPED_TRACE(e.Name);
    std::string lower = e.Name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    TPanel p(nullptr);
    p.SetName("P");
    ReadComponentResText("object P: TPanel\n  Color = " + lower + "\nend\n", &p);
    EXPECT_EQ(p.Color(), TColor(static_cast<std::int32_t>(e.Value)));
    EXPECT_NE(WriteComponentResText(&p).find(std::string("Color = ") + e.Name + "\n"), std::string::npos);
  }
  // The standard and system names the forms use are all there.
  for (const char* name : {"clBlack", "clWhite", "clNone", "clDefault", "clScrollBar", "clInfoBk", "clBtnFace",
                           "clHighlightText", "clMenuBar"}) {
    TColor c;
    EXPECT_TRUE(IdentToColor(name, c)) << name;
  }
}

TEST_F(ColourNamesTest, UnknownNameNamesItselfAndItsLine) {
  TForm f(nullptr);
  try {
    ReadComponentResText("object F: TForm\n  Left = 4\n  object P: TPanel\n    Color = clMauve\n  end\nend\n", &f);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Error reading P.Color: Invalid property value: clMauve on line 4");
  }
  // Names are for colour properties only.
  TForm g(nullptr);
  EXPECT_THROW(ReadComponentResText("object F: TForm\n  Left = clRed\nend\n", &g), Exception);
}

}  // namespace
