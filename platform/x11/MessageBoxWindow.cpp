// The message box: layout, painting, keyboard and mouse, and its modal loop.
#include "platform/x11/MessageBoxWindow.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/desktop/Backend.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Gdi.h"

namespace win::x11 {
namespace {

const char* const kClassName = "VantrelMessageBox";
const int kMargin = 12, kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6, kIconSize = 32;
const int kMaxTextWidth = 420;

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

RECT Shrunk(RECT r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

const char* ButtonCaption(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "&Abort";
    case IDRETRY: return "&Retry";
    case IDIGNORE: return "&Ignore";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    case IDTRYAGAIN: return "&Try Again";
    case IDCONTINUE: return "&Continue";
    case IDALL: return "&All";
  }
  return "";
}

struct Box {
  std::string Text;
  UINT Type = 0;
  std::vector<int> Buttons;
  std::vector<RECT> ButtonRects;
  RECT TextRect{};
  RECT IconRect{};
  int Focused = 0;
  int Pressed = -1;
  int Result = 0;

  // Escape and the close button: Cancel, or OK when that is the only button; 0 when
  // the box has no such answer (Yes/No).
  int CancelAnswer() const {
    if (std::find(Buttons.begin(), Buttons.end(), IDCANCEL) != Buttons.end()) return IDCANCEL;
    return Buttons.size() == 1 ? Buttons[0] : 0;
  }
  int ButtonAt(POINT p) const {
    for (std::size_t i = 0; i < ButtonRects.size(); ++i)
      if (Inside(ButtonRects[i], p)) return int(i);
    return -1;
  }
};

// Ends the box with an answer (0: none); a message wakes the box's loop to see it.
void Finish(HWND hwnd, Box& box, int id) {
  if (!id) return;
  box.Result = id;
  PostMessageA(hwnd, WM_NULL, 0, 0);
}

Box* BoxOf(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtr(hwnd, GWLP_USERDATA)); }

HFONT BoxFont() { return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// Lays the box out; returns the client size.
SIZE Layout(Box& box) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, BoxFont());
  RECT text{0, 0, kMaxTextWidth, 0};
  DrawText(dc, box.Text.c_str(), int(box.Text.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  bool icon = (box.Type & MB_ICONMASK) != 0;
  int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
  int textHeight = std::max<int>(text.bottom - text.top, icon ? kIconSize : 0);
  int buttons = int(box.Buttons.size()) * kButtonWidth + int(box.Buttons.size() - 1) * kButtonGap;
  int width = std::max<int>(textLeft + (text.right - text.left) + kMargin, buttons + 2 * kMargin);
  width = std::max(width, 160);
  box.IconRect = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
  int textTop = kMargin + (textHeight - (text.bottom - text.top)) / 2;
  box.TextRect = RECT{textLeft, textTop, textLeft + (text.right - text.left), textTop + (text.bottom - text.top)};
  int buttonTop = kMargin + textHeight + kMargin + 4;
  int x = (width - buttons) / 2;
  box.ButtonRects.clear();
  for (std::size_t i = 0; i < box.Buttons.size(); ++i, x += kButtonWidth + kButtonGap)
    box.ButtonRects.push_back(RECT{x, buttonTop, x + kButtonWidth, buttonTop + kButtonHeight});
  return SIZE{width, buttonTop + kButtonHeight + kMargin};
}

void PaintIcon(HDC dc, const Box& box) {
  UINT icon = box.Type & MB_ICONMASK;
  COLORREF fill = RGB(0, 90, 200);
  const char* mark = "i";
  if (icon == MB_ICONERROR) fill = RGB(200, 30, 30), mark = "X";
  else if (icon == MB_ICONWARNING) fill = RGB(230, 180, 0), mark = "!";
  else if (icon == MB_ICONQUESTION) mark = "?";
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, box.IconRect.left, box.IconRect.top, box.IconRect.right, box.IconRect.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  LOGFONT lf{};
  lf.lfHeight = -20;
  lf.lfWeight = FW_BOLD;
  HFONT font = CreateFontIndirect(lf);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT r = box.IconRect;
  DrawText(dc, mark, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void Paint(HWND hwnd, Box& box) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  if (box.Type & MB_ICONMASK) PaintIcon(dc, box);
  HGDIOBJ old = SelectObject(dc, BoxFont());
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT text = box.TextRect;
  DrawText(dc, box.Text.c_str(), int(box.Text.size()), &text, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  for (std::size_t i = 0; i < box.Buttons.size(); ++i) {
    RECT r = box.ButtonRects[i];
    bool pressed = box.Pressed == int(i);
    if (int(i) == box.Focused) {
      // The focused button is the default one: a dark frame round it.
      FrameRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      r = Shrunk(r, 1);
    }
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
    RECT caption = r;
    if (pressed) caption = RECT{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    const char* c = ButtonCaption(box.Buttons[i]);
    DrawText(dc, c, -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (int(i) == box.Focused) {
      RECT f = Shrunk(r, 4);
      DrawFocusRect(dc, &f);
    }
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

// A button's underlined letter, lower case, or 0.
char Mnemonic(int id) {
  const char* c = ButtonCaption(id);
  const char* amp = std::strchr(c, '&');
  return amp && amp[1] ? char(std::tolower(static_cast<unsigned char>(amp[1]))) : 0;
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Box* box = BoxOf(hwnd);
  if (!box) return DefWindowProcA(hwnd, msg, wParam, lParam);
  int count = int(box->Buttons.size());
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd, *box);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_RETURN:
        case VK_SPACE:
          Finish(hwnd, *box, box->Buttons[std::size_t(box->Focused)]);
          return 0;
        case VK_ESCAPE:
          Finish(hwnd, *box, box->CancelAnswer());
          return 0;
        case VK_TAB:
        case VK_RIGHT:
        case VK_LEFT: {
          bool back = wParam == VK_LEFT || (wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
          box->Focused = (box->Focused + (back ? count - 1 : 1)) % count;
          InvalidateRect(hwnd, nullptr, TRUE);
          return 0;
        }
      }
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
      for (int id : box->Buttons)
        if (char m = Mnemonic(id); m && wParam < 128 && std::tolower(int(wParam)) == m) Finish(hwnd, *box, id);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      box->Pressed = box->ButtonAt(p);
      if (box->Pressed >= 0) {
        box->Focused = box->Pressed;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (box->Pressed < 0) return 0;
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int hit = box->ButtonAt(p);
      if (hit == box->Pressed) Finish(hwnd, *box, box->Buttons[std::size_t(hit)]);
      box->Pressed = -1;
      ReleaseCapture();
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case WM_CANCELMODE:
      box->Pressed = -1;
      if (GetCapture() == hwnd) ReleaseCapture();
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_CLOSE:
      Finish(hwnd, *box, box->CancelAnswer());
      return 0;
    case WM_DESTROY:
      // Destroyed from outside (its owner went): wake the loop to end the box.
      PostMessageA(nullptr, WM_NULL, 0, 0);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterBoxClass() {
  WNDCLASSA wc;
  if (GetClassInfo(nullptr, kClassName, &wc)) return;
  wc = WNDCLASSA{};
  wc.lpfnWndProc = &BoxProc;
  wc.lpszClassName = kClassName;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
}

HWND TopLevelOf(HWND hwnd) {
  while (hwnd && (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
  return hwnd;
}

}  // namespace

int RunMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  RegisterBoxClass();
  Box box;
  box.Text = text;
  box.Type = type;
  box.Buttons = MessageBoxButtons(type);
  std::size_t def = (type & MB_DEFMASK) >> 8;
  box.Focused = int(def < box.Buttons.size() ? def : 0);
  SIZE client = Layout(box);

  // The box is modal to its owner's window, or to the active one when it has none.
  HWND top = TopLevelOf(IsWindow(owner) ? owner : nullptr);
  if (!top || !IsWindowVisible(top)) top = GetActiveWindow();
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT area{};
  if (!top || !GetWindowRect(top, &area) || IsIconic(top) || !IsWindowVisible(top))
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  int x = area.left + ((area.right - area.left) - width) / 2;
  int y = area.top + ((area.bottom - area.top) - height) / 2;
  // Centred over a small owner near the screen's edge, the box still stays on the screen.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  x = std::max(work.left, std::min(x, work.right - width));
  y = std::max(work.top, std::min(y, work.bottom - height));

  HWND hwnd = CreateWindowEx(exStyle, kClassName, caption.c_str(), style, x, y, width, height, top, nullptr,
                             nullptr, nullptr);
  if (!hwnd) return 0;
  SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
  bool disabled = top && IsWindowEnabled(top);
  // The window that has the keyboard focus gets it back when the box goes.
  HWND hadFocus = GetFocus();
  if (disabled) EnableWindow(top, FALSE);
  // However the loop ends (a handler may raise), the box goes and its owner comes back.
  struct Cleanup {
    HWND Box, Owner, Focus;
    bool Enable;
    ~Cleanup() {
      if (Enable && IsWindow(Owner)) EnableWindow(Owner, TRUE);
      if (IsWindow(Box)) {
        SetWindowLongPtr(Box, GWLP_USERDATA, 0);
        DestroyWindow(Box);
      }
      if (Owner && IsWindow(Owner) && IsWindowVisible(Owner)) SetActiveWindow(Owner);
      if (Focus && IsWindow(Focus) && IsWindowVisible(Focus) && IsWindowEnabled(Focus) &&
          TopLevelOf(Focus) == GetActiveWindow())
        SetFocus(Focus);
    }
  } cleanup{hwnd, top, hadFocus, disabled};
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetActiveWindow(hwnd);
  SetFocus(hwnd);

  bool quit = false;
  int quitCode = 0;
  while (!box.Result && IsWindow(hwnd)) {
    MSG m;
    if (!GetMessageA(&m, nullptr, 0, 0)) {
      // The program is ending: the box gives its cancelling answer and the loop that
      // owns the quit gets it back.
      quit = true;
      quitCode = int(m.wParam);
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  int result = box.Result;
  if (!result) result = box.CancelAnswer() ? box.CancelAnswer() : box.Buttons[std::size_t(box.Focused)];
  if (quit) PostQuitMessage(quitCode);
  return result;
}

}  // namespace win::x11
