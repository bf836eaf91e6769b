// The CLIPBOARD selection on a private X server, with xclip as the other program.
#include <chrono>
#include <cstring>

#include "platform/desktop/WinKernel.h"
#include "platform/rtl/Utf8.h"
#include "platform/x11/Clipboard.h"
#include "tests/platform/x11/ServicesXvfb.h"

// X's headers last: their macros clash with names in the others.
#include <X11/Xlib.h>

using namespace win;
using namespace win::x11;

namespace {

std::string Utf16Bytes(const std::string& utf8) {
  std::u16string w = Utf8ToUtf16(utf8);
  w.push_back(u'\0');
  return std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
}

class ClipboardTest : public xvfb_test::TwoClientsTest {
protected:
  void SetUp() override {
    TwoClientsTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(xvfb_test::OnPath("xclip")) << "xclip is not installed (scripts/deps.sh installs it)";
    FConn = FOurs.get();
    // Whatever an earlier test left on the clipboard goes (xclip then ends).
    XSetSelectionOwner(FConn->Display(), FConn->Atom("CLIPBOARD"), 0, CurrentTime);
    XSync(FConn->Display(), False);
    FClip = std::make_unique<Clipboard>(*FConn);
    FWindow = xvfb_test::PlainWindow();
  }
  void TearDown() override {
    FClip.reset();
    TwoClientsTest::TearDown();
  }

  static xvfb_test::Server& Server() { return xvfb_test::SharedServer(); }

  // Handles what arrived for us, as the program's event loop does.
  void Pump() {
    ::Display* dpy = FConn->Display();
    while (XPending(dpy)) {
      XEvent e;
      XNextEvent(dpy, &e);
      FClip->OnEvent(e);
    }
  }

  // Puts formats on the window system's clipboard and publishes them.
  void Publish(const std::vector<std::pair<UINT, std::string>>& formats) {
    ASSERT_TRUE(OpenClipboard(FWindow));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
      HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
      std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
      GlobalUnlock(h);
      SetClipboardData(format, h);
    }
    CloseClipboard();
    FClip->Publish();
    ASSERT_TRUE(FClip->Owned());
  }

  // What xclip reads for a target while we serve it.
  std::string Read(const std::string& target, int* exitCode = nullptr) {
    return xvfb_test::Run(Server().Name(), {"xclip", "-o", "-selection", "clipboard", "-t", target}, "",
                          [&] { Pump(); }, exitCode);
  }

  // xclip takes the clipboard with text of the given type and keeps serving it.
  void OtherProgramOwns(const std::string& text, const std::string& target) {
    int code = -1;
    xvfb_test::Run(Server().Name(), {"xclip", "-i", "-selection", "clipboard", "-t", target}, text,
                   [&] { Pump(); }, &code);
    ASSERT_EQ(code, 0);
    // xclip's background copy takes the selection; we hear of it.
    ::Display* dpy = FConn->Display();
    auto taken = [&] {
      Window owner = XGetSelectionOwner(dpy, FConn->Atom("CLIPBOARD"));
      return owner != 0 && owner != FClip->Window() && !FClip->Owned();
    };
    for (int i = 0; i < 300 && !taken(); ++i) {
      Pump();
      usleep(10000);
    }
    ASSERT_TRUE(taken());
  }

  Connection* FConn = nullptr;
  std::unique_ptr<Clipboard> FClip;
  HWND FWindow = nullptr;
};

TEST_F(ClipboardTest, TextIsServedInEveryTextForm) {
  const std::string text = "Grüße, 你好 (snippet)";
  Publish({{CF_UNICODETEXT, Utf16Bytes(text)}});
  for (const char* target : {"UTF8_STRING", "TEXT", "text/plain;charset=utf-8", "text/plain"})
    EXPECT_EQ(Read(target), text) << target;
  std::string targets = Read("TARGETS");
  for (const char* t : {"TARGETS", "UTF8_STRING", "TEXT", "text/plain"})
    EXPECT_NE(targets.find(t), std::string::npos) << t;
  // Not Latin-1: no STRING is offered, and asking for it fails.
  EXPECT_EQ(targets.find("STRING\n"), targets.find("UTF8_STRING\n") + 5);
  int code = 0;
  EXPECT_EQ(Read("STRING", &code), "");
  EXPECT_NE(code, 0);
}

TEST_F(ClipboardTest, LatinTextIsAlsoServedAsLatin1String) {
  Publish({{CF_UNICODETEXT, Utf16Bytes("Grüße")}});
  EXPECT_EQ(Read("STRING"), "Gr\xfc\xdf" "e");
  EXPECT_EQ(Read("UTF8_STRING"), "Grüße");
}

TEST_F(ClipboardTest, RegisteredFormatsGoByNameAndTheirMimeTwins) {
  UINT csv = RegisterClipboardFormatA("Csv");
  UINT rtf = RegisterClipboardFormatA("Rich Text Format");
  UINT binary = RegisterClipboardFormatA("VCLDBIF");
  char name[64];
  ASSERT_GT(GetClipboardFormatNameA(binary, name, sizeof name), 0);
  const std::string blob("\x01\x00\xff\x7f\x00zz", 7);
  Publish({{CF_TEXT, std::string("a\tb\0", 4)},
           {csv, std::string("\"a\";\"b\"\0", 8)},
           {rtf, std::string("{\\rtf1 a}\0", 10)},
           {binary, blob}});
  EXPECT_EQ(Read("text/csv"), "\"a\";\"b\"");
  EXPECT_EQ(Read("text/rtf"), "{\\rtf1 a}");
  EXPECT_EQ(Read(name), blob);
  EXPECT_EQ(Read("UTF8_STRING"), "a\tb");
  std::string targets = Read("TARGETS");
  for (const std::string& t : std::vector<std::string>{"text/csv", "text/rtf", name})
    EXPECT_NE(targets.find(t + "\n"), std::string::npos) << t;
}

TEST_F(ClipboardTest, LargeTextGoesInIncrementalChunks) {
  FClip->SetChunkSize(4096);
  std::string text;
  for (int i = 0; text.size() < 300000; ++i) text += "line " + std::to_string(i) + " 中文\n";
  Publish({{CF_UNICODETEXT, Utf16Bytes(text)}});
  std::string got = Read("UTF8_STRING");
  EXPECT_EQ(got.size(), text.size());
  EXPECT_TRUE(got == text);
  EXPECT_EQ(Read("UTF8_STRING"), text);  // and again: the first transfer ended cleanly
}

TEST_F(ClipboardTest, AnotherProgramTakingItEndsOursAndItsTextIsRead) {
  Publish({{CF_UNICODETEXT, Utf16Bytes("ours")}});
  OtherProgramOwns("theirs 中文", "UTF8_STRING");
  EXPECT_FALSE(FClip->Owned());
  std::vector<std::pair<UINT, std::string>> formats;
  ASSERT_TRUE(FClip->TakeExternal(&formats));
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0].first, CF_UNICODETEXT);
  EXPECT_EQ(formats[0].second, Utf16Bytes("theirs 中文"));
}

TEST_F(ClipboardTest, LargeTextOfAnotherProgramIsReadInItsChunks) {
  std::string text;
  for (int i = 0; text.size() < 1500000; ++i) text += "row " + std::to_string(i) + " 文本\n";
  OtherProgramOwns(text, "UTF8_STRING");
  std::vector<std::pair<UINT, std::string>> formats;
  ASSERT_TRUE(FClip->TakeExternal(&formats));
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_TRUE(formats[0].second == Utf16Bytes(text)) << formats[0].second.size() << " bytes";
}

TEST_F(ClipboardTest, ReadingOtherProgramsRegisteredFormats) {
  UINT csv = RegisterClipboardFormatA("Csv");
  OtherProgramOwns("\"x\";\"y\"", "text/csv");
  std::vector<std::pair<UINT, std::string>> formats;
  ASSERT_TRUE(FClip->TakeExternal(&formats));
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0].first, csv);
  EXPECT_EQ(formats[0].second, std::string("\"x\";\"y\"\0", 8));  // kept as the program stores it
}

TEST_F(ClipboardTest, NothingToReadWhenWeOwnItOrNobodyDoes) {
  std::vector<std::pair<UINT, std::string>> formats;
  EXPECT_FALSE(FClip->TakeExternal(&formats));  // nobody owns it
  Publish({{CF_UNICODETEXT, Utf16Bytes("ours")}});
  EXPECT_FALSE(FClip->TakeExternal(&formats));
  EXPECT_TRUE(formats.empty());
}

TEST_F(ClipboardTest, AnOwnerThatNeverAnswersIsGivenUpOn) {
  ::Display* dpy = FOther->Display();
  Window silent = XCreateSimpleWindow(dpy, FOther->Root(), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(dpy, FOther->Atom("CLIPBOARD"), silent, CurrentTime);
  XSync(dpy, False);
  auto start = std::chrono::steady_clock::now();
  std::vector<std::pair<UINT, std::string>> formats;
  EXPECT_FALSE(FClip->TakeExternal(&formats));
  // Bounded by the read timeout (the loose limit only guards against a hang).
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace

namespace {

TEST_F(ClipboardTest, MultipleConvertsEachPairAndMarksTheFailedOnes) {
  Publish({{CF_UNICODETEXT, Utf16Bytes("multi 多")}});
  ::Display* dpy = FOther->Display();
  Window requestor = XCreateSimpleWindow(dpy, FOther->Root(), 0, 0, 1, 1, 0, 0, 0);
  Atom pairs = FOther->Atom("PAIRS"), text = FOther->Atom("P_TEXT"), csv = FOther->Atom("P_CSV");
  long list[4] = {long(FOther->Atom("UTF8_STRING")), long(text), long(FOther->Atom("text/csv")), long(csv)};
  XChangeProperty(dpy, requestor, pairs, FOther->Atom("ATOM_PAIR"), 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(list), 4);
  XConvertSelection(dpy, FOther->Atom("CLIPBOARD"), FOther->Atom("MULTIPLE"), pairs, requestor, CurrentTime);
  XSync(dpy, False);
  XEvent reply;
  bool answered = false;
  for (int i = 0; i < 300 && !answered; ++i) {
    Pump();
    XSync(dpy, False);
    answered = XCheckTypedWindowEvent(dpy, requestor, SelectionNotify, &reply);
    if (!answered) usleep(10000);
  }
  ASSERT_TRUE(answered);
  EXPECT_EQ(reply.xselection.property, pairs);
  auto read = [&](Atom property, std::string* bytes, std::vector<long>* longs) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(dpy, requestor, property, 0, 1 << 16, False, AnyPropertyType, &type, &format,
                                 &count, &after, &data),
              Success);
    ASSERT_TRUE(data);
    if (bytes) bytes->assign(reinterpret_cast<char*>(data), count);
    if (longs) longs->assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    XFree(data);
  };
  std::string got;
  read(text, &got, nullptr);
  EXPECT_EQ(got, "multi 多");
  std::vector<long> after;
  read(pairs, nullptr, &after);
  ASSERT_EQ(after.size(), 4u);
  EXPECT_EQ(after[1], long(text));
  EXPECT_EQ(after[3], 0);  // no CSV on the clipboard: that pair failed
}

}  // namespace
