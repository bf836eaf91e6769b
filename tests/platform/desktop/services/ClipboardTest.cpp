// The clipboard, global memory blocks and text conversion.
#include <cstring>

#include "tests/platform/desktop/Recorder.h"

using namespace win;
using namespace rec;

namespace {

class DesktopClipboardTest : public DesktopTest {};

HGLOBAL Text(const char* s) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::strlen(s) + 1);
  std::memcpy(GlobalLock(h), s, std::strlen(s) + 1);
  GlobalUnlock(h);
  return h;
}

TEST_F(DesktopClipboardTest, SetTextReadsBackInBothForms) {
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  ASSERT_TRUE(OpenClipboard(h));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = Text("Snippet \xE4\xB8\xAD");
  EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), h);
  EXPECT_EQ(headless::ClipboardText(), "Snippet \xE4\xB8\xAD");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  // The clipboard owns the block now.
  EXPECT_EQ(GlobalFree(block), block);

  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* wide = static_cast<const WCHAR*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::u16string(wide), u"Snippet \u4E2D");
  // Real formats first, then the synthesised ones.
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
  EXPECT_EQ(formats, (std::vector<UINT>{CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT}));
  CloseClipboard();
}

TEST_F(DesktopClipboardTest, OpeningRules) {
  HWND a = Top(0, 0, 10, 10, WS_POPUP);
  HWND b = Top(0, 0, 10, 10, WS_POPUP);
  EXPECT_FALSE(CloseClipboard());
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_TEXT, Text("x")), nullptr);  // not open
  ASSERT_TRUE(OpenClipboard(a));
  EXPECT_TRUE(OpenClipboard(a));   // the same window again
  EXPECT_FALSE(OpenClipboard(b));  // another window while open
  EXPECT_TRUE(CloseClipboard());
  // Another program holding it open makes every open fail until it lets go.
  headless::HoldClipboardElsewhere(true);
  EXPECT_FALSE(OpenClipboard(a));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  headless::HoldClipboardElsewhere(false);
  EXPECT_TRUE(OpenClipboard(a));
  // A window destroyed while holding the clipboard lets it go.
  DestroyWindow(a);
  EXPECT_TRUE(OpenClipboard(b));
  CloseClipboard();
}

TEST_F(DesktopClipboardTest, ReplacingContentsTellsThePreviousOwner) {
  HWND a = Top(0, 0, 10, 10, WS_POPUP);
  HWND b = Top(0, 0, 10, 10, WS_POPUP);
  OpenClipboard(a);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4));
  CloseClipboard();
  Log().clear();
  OpenClipboard(b);
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(Messages(a, {WM_DESTROYCLIPBOARD}).size(), 1u);
  EXPECT_EQ(CountClipboardFormats(), 0);
  headless::SetClipboardTextElsewhere("from elsewhere");
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  OpenClipboard(b);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT))), "from elsewhere");
  CloseClipboard();
}

TEST_F(DesktopClipboardTest, RegisteredFormats) {
  UINT f = RegisterClipboardFormatA("VCLDBIF");
  EXPECT_GE(f, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatA("vcldbif"), f);
  EXPECT_NE(RegisterClipboardFormatA("Csv"), f);
  char name[32];
  EXPECT_GT(GetClipboardFormatNameA(f, name, sizeof name), 0);
  EXPECT_STREQ(name, "VCLDBIF");  // as first registered, not as looked up
  HWND h = Top(0, 0, 10, 10, WS_POPUP);
  OpenClipboard(h);
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 3);
  SetClipboardData(f, data);
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(f));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  OpenClipboard(h);
  EXPECT_EQ(GetClipboardData(f), data);
  EXPECT_EQ(GlobalSize(GetClipboardData(f)), 3u);
  CloseClipboard();
}

TEST(GlobalMemory, BlocksLockResizeAndFree) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 8u);
  char* p = static_cast<char*>(GlobalLock(h));
  EXPECT_EQ(std::string(p, 8), std::string(8, '\0'));
  EXPECT_FALSE(GlobalUnlock(h));  // lock count back at 0
  EXPECT_EQ(GlobalReAlloc(h, 100, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
  EXPECT_EQ(GlobalSize(h), 100u);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalLock(h), nullptr);  // freed
  EXPECT_EQ(GlobalFree(h), h);        // a second free fails instead of corrupting memory
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
  EXPECT_EQ(GlobalLock(fixed), fixed);  // a fixed block's handle is its address
  EXPECT_EQ(GlobalFree(fixed), nullptr);
}

TEST(TextConversion, MultiByteAndWideChar) {
  struct Case {
    const char* Utf8;
    std::u16string Wide;
  };
  const Case cases[] = {
      {"", u""},
      {"abc", u"abc"},
      {"\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
  };
  for (const Case& c : cases) {
    for (UINT cp : {CP_ACP, CP_UTF8}) {
      int n = MultiByteToWideChar(cp, 0, c.Utf8, -1, nullptr, 0);
      EXPECT_EQ(n, int(c.Wide.size()) + 1) << c.Utf8;
      std::u16string w(std::size_t(n), u'\0');
      EXPECT_EQ(MultiByteToWideChar(cp, 0, c.Utf8, -1, w.data(), n), n);
      EXPECT_EQ(w, c.Wide + u'\0');
      int m = WideCharToMultiByte(cp, 0, c.Wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
      std::string back(std::size_t(m), '\0');
      WideCharToMultiByte(cp, 0, c.Wide.c_str(), -1, back.data(), m, nullptr, nullptr);
      EXPECT_EQ(back, std::string(c.Utf8) + '\0');
    }
  }
  // Short buffers and bad input.
  WCHAR one[1];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", 2, one, 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xE4\xB8", 2, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE4\xB8", 2, nullptr, 0), 2);  // replacement characters
  const WCHAR lone[] = {0xD800, 'x'};
  char out[8];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 2, out, sizeof out, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(out, 4), "\xEF\xBF\xBDx");
}

TEST_F(DesktopClipboardTest, MessageBoxesAnswerFromTheScript) {
  headless::QueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Delete?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
  struct Case {
    UINT Type;
    int Default;
  };
  const Case cases[] = {{MB_OK, IDOK},
                        {MB_OKCANCEL, IDOK},
                        {MB_YESNO | MB_DEFBUTTON2, IDNO},
                        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                        {MB_YESNOALL | MB_DEFBUTTON3, IDALL},
                        {MB_OKCANCEL | MB_DEFBUTTON4, IDOK}};
  for (const Case& c : cases) EXPECT_EQ(MessageBoxA(nullptr, "t", "c", c.Type), c.Default) << c.Type;
  const auto& boxes = headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 7u);
  EXPECT_EQ(boxes[0].Text, "Delete?");
  EXPECT_EQ(boxes[0].Caption, "Confirm");
  EXPECT_EQ(boxes[0].Type, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(boxes[0].Scripted);
  EXPECT_FALSE(boxes[1].Scripted);
}

}  // namespace
