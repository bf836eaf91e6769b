// A memo holding 5 MB of text in a window on the headless desktop: one keystroke typed
// into the middle and the repaint that follows, a click that places the caret, and a page
// of scrolling, each with its repaint. The reference does the same edit on a plain string
// and lays out and draws the rows that show straight through cairo, in the same run; the
// "ratio" counter of a memo run is its mean time over the reference's. "rss_mb" is the
// process's peak resident size so far.
#include <benchmark/benchmark.h>
#include <cairo/cairo.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Headless.h"
#include "platform/rtl/Utf8.h"

namespace {

constexpr std::size_t TextBytes = 5u << 20;
constexpr int MemoW = 269, MemoH = 480;

// Lines of words of varied length, every seventh line Chinese, some lines long enough to
// wrap several times, up to TextBytes bytes.
std::string LargeText() {
  static const char* words[] = {"snippet", "the", "hot", "key", "pastes", "this", "text", "into", "whatever",
                                "window", "has", "focus", "and", "a", "longer", "paragraph", "follows", "it"};
  std::string t;
  t.reserve(TextBytes + 256);
  unsigned seed = 12345;
  for (int line = 0; t.size() < TextBytes; ++line) {
    seed = seed * 1103515245u + 12345u;
    int n = 2 + static_cast<int>((seed >> 16) % 60);
    if (line % 7 == 6) {
      for (int i = 0; i < n / 2; ++i) t += "内容管理器的文本";
    } else {
      for (int i = 0; i < n; ++i) {
        if (i) t += ' ';
        t += words[(seed >> (i % 13)) % (sizeof(words) / sizeof(*words))];
      }
    }
    t += "\r\n";
  }
  return t;
}

const std::string& Text() {
  static const std::string t = LargeText();
  return t;
}

// The same text as one line: its breaks become spaces.
const std::string& OneLine() {
  static const std::string t = [] {
    std::string s = Text();
    for (char& c : s)
      if (c == '\r' || c == '\n') c = ' ';
    return s;
  }();
  return t;
}

double PeakRssMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024.0;
}

// A form with the memo, shown, focused, the caret in the middle of the text.
struct TMemoWindow {
  TForm* Form = nullptr;
  TMemo* Memo = nullptr;
  explicit TMemoWindow(bool WordWrap, const std::string& Content = Text()) {
    win::headless::Reset();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, MemoW + 40, MemoH + 60);
    Memo = new TMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(10, 10, MemoW, MemoH);
    Memo->SetWordWrap(WordWrap);
    Memo->SetScrollBars(ssBoth);
    Memo->SetText(Content);
    Form->Show();
    Memo->SetFocus();
    Memo->SetSelStart(static_cast<int>(Utf8Length(Content) / 2));
    Repaint();
  }
  ~TMemoWindow() {
    Form->Free();
    win::headless::Reset();
  }
  void Repaint() {
    win::UpdateWindow(Memo->Handle());
    win::headless::ProcessMessages();
  }
};

// Times Body over the run; Body does one step and its repaint.
template <class F>
double MeanSeconds(benchmark::State& state, F Body) {
  double seconds = 0;
  long runs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    Body(runs);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++runs;
  }
  return runs ? seconds / double(runs) : 0;
}

// ---- reference: a plain string and the visible rows drawn through cairo ----

double ReferenceSeconds = 0;

// Width of each character, measured once.
struct TCairoWidths {
  explicit TCairoWidths(cairo_t* C) : Cr(C) {}
  cairo_t* Cr;
  double Ascii[128] = {};
  std::vector<std::pair<std::string, double>> Other;
  double Of(const std::string& c) {
    if (c.size() == 1 && static_cast<unsigned char>(c[0]) < 128) {
      double& w = Ascii[static_cast<unsigned char>(c[0])];
      if (w == 0) w = Measure(c);
      return w;
    }
    for (auto& [k, w] : Other)
      if (k == c) return w;
    Other.emplace_back(c, Measure(c));
    return Other.back().second;
  }
  double Measure(const std::string& c) {
    cairo_text_extents_t e{};
    cairo_text_extents(Cr, c.c_str(), &e);
    return e.x_advance > 0 ? e.x_advance : 0.01;
  }
};

// Wraps the text from byte From at spaces into rows of at most Avail pixels and draws the
// first Rows of them.
void DrawRows(cairo_t* cr, TCairoWidths& widths, const std::string& t, std::size_t From, int Rows, double Avail) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  std::size_t i = From;
  for (int row = 0; row < Rows && i < t.size(); ++row) {
    double x = 0;
    std::size_t start = i, lastSpace = std::string::npos;
    while (i < t.size() && t[i] != '\r' && t[i] != '\n') {
      std::size_t n = Utf8CharLength(t, i);
      double w = widths.Of(t.substr(i, n));
      if (x + w > Avail && i > start) break;
      if (t[i] == ' ') lastSpace = i + 1;
      x += w;
      i += n;
    }
    std::size_t end = i;
    if (i < t.size() && t[i] != '\r' && t[i] != '\n' && lastSpace != std::string::npos) end = i = lastSpace;
    cairo_move_to(cr, 2, 1 + 13 * row + 10);
    cairo_show_text(cr, t.substr(start, end - start).c_str());
    if (i < t.size() && t[i] == '\r') ++i;
    if (i < t.size() && t[i] == '\n') ++i;
  }
  cairo_surface_flush(cairo_get_target(cr));
}

void BM_Reference_StringAndCairo(benchmark::State& state) {
  std::string t = Text();
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, MemoW, MemoH);
  cairo_t* cr = cairo_create(s);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  TCairoWidths widths{cr};
  std::size_t caret = t.size() / 2;
  while (caret > 0 && t[caret - 1] != '\n') --caret;  // the edit goes at a line start
  ReferenceSeconds = MeanSeconds(state, [&](long) {
    t.insert(caret, 1, 'x');
    ++caret;
    std::size_t top = caret;
    while (top > 0 && t[top - 1] != '\n') --top;
    DrawRows(cr, widths, t, top, MemoH / 13, MemoW - 5);
  });
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  state.counters["rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_Reference_StringAndCairo)->Unit(benchmark::kMillisecond);

void Report(benchmark::State& state, double Seconds) {
  if (ReferenceSeconds > 0) state.counters["ratio"] = Seconds / ReferenceSeconds;
  state.counters["rss_mb"] = PeakRssMb();
}

// One character typed into the middle of the text, then the repaint.
void BM_MemoKeystroke(benchmark::State& state) {
  TMemoWindow w(state.range(0) != 0);
  Report(state, MeanSeconds(state, [&](long) {
    win::headless::TypeText("x");
    w.Repaint();
  }));
}
BENCHMARK(BM_MemoKeystroke)->Arg(1)->Arg(0)->ArgName("wrap")->Unit(benchmark::kMillisecond);

// The same in 5 MB without a line break: word wrap meets the old rows again soon after
// the edit; without it the one row is measured again.
void BM_MemoKeystrokeOneLine(benchmark::State& state) {
  TMemoWindow w(state.range(0) != 0, OneLine());
  Report(state, MeanSeconds(state, [&](long) {
    win::headless::TypeText("x");
    w.Repaint();
  }));
}
BENCHMARK(BM_MemoKeystrokeOneLine)->Arg(1)->Arg(0)->ArgName("wrap")->Unit(benchmark::kMillisecond);

// Another 5 MB text put in the memo (a record with a large snippet becomes current), and
// the repaint.
void BM_MemoLoad(benchmark::State& state) {
  TMemoWindow w(true);
  const std::string other = OneLine();
  Report(state, MeanSeconds(state, [&](long i) {
    w.Memo->SetText(i % 2 ? Text() : other);
    w.Repaint();
  }));
}
BENCHMARK(BM_MemoLoad)->Unit(benchmark::kMillisecond);

// A click in the view puts the caret there; the repaint follows.
void BM_MemoClick(benchmark::State& state) {
  TMemoWindow w(state.range(0) != 0);
  win::POINT p[2] = {w.Memo->ClientToScreen({40, 30}), w.Memo->ClientToScreen({120, MemoH - 40})};
  Report(state, MeanSeconds(state, [&](long i) {
    win::headless::Click(win::headless::MouseButton::Left, p[i % 2].x, p[i % 2].y);
    w.Repaint();
  }));
}
BENCHMARK(BM_MemoClick)->Arg(1)->Arg(0)->ArgName("wrap")->Unit(benchmark::kMillisecond);

// A page down (or back up) with the scroll bar, then the repaint.
void BM_MemoScrollPage(benchmark::State& state) {
  TMemoWindow w(state.range(0) != 0);
  Report(state, MeanSeconds(state, [&](long i) {
    w.Memo->Perform(win::WM_VSCROLL, i % 2 ? win::SB_PAGEUP : win::SB_PAGEDOWN, 0);
    w.Repaint();
  }));
}
BENCHMARK(BM_MemoScrollPage)->Arg(1)->Arg(0)->ArgName("wrap")->Unit(benchmark::kMillisecond);

}  // namespace
