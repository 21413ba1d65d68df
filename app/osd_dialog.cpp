#include "app/osd_dialog.h"

#include "app/window_host.h"

namespace gm::win {

namespace {

constexpr UINT kTickMs = 300;
constexpr BYTE kHalfOpaque = 128;
constexpr COLORREF kFill = RGB(164, 73, 164);
constexpr COLORREF kTextColour = RGB(255, 255, 255);

bool RegisterDisplayClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, COSDDialog::kClassName, &wc)) return true;
  wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = COSDDialog::kClassName;
  return RegisterClassExW(&wc) != 0;
}

HFONT DisplayFont(const std::wstring& face, int height, int width, int weight) {
  return CreateFontW(height, width, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face.c_str());
}

// The work area of the primary monitor (the screen without the task bar).
ui::IntRect WorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

COSDDialog::COSDDialog(HINSTANCE instance, std::wstring fontFace, double scale)
    : instance_(instance), fontFace_(std::move(fontFace)), scale_(scale) {}

COSDDialog::~COSDDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool COSDDialog::Create(const ui::IntRect& rect) {
  if (hwnd_ || !RegisterDisplayClass(instance_, &COSDDialog::WindowProc)) return false;
  const auto px = [this](int units) { return static_cast<int>(units * scale_); };
  headingFont_.Reset(DisplayFont(fontFace_, px(24), px(12), FW_BOLD));
  valueFont_.Reset(DisplayFont(fontFace_, px(48), px(24), FW_NORMAL));
  // No owner: the display stays where it is while the main window is hidden or minimised. Tool
  // window: no task-bar button.
  hwnd_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, L"",
                          WS_POPUP, rect.left, rect.top, rect.Width(), rect.Height(), nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  SetWindowTextW(hwnd_, Title().c_str());
  SetLayeredWindowAttributes(hwnd_, 0, kHalfOpaque, LWA_ALPHA);
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  return true;
}

void COSDDialog::SetTexts(const StageDisplayTexts& texts) {
  texts_ = texts;
  if (!hwnd_) return;
  SetWindowTextW(hwnd_, Title().c_str());
  InvalidateRect(hwnd_, nullptr, FALSE);
}

std::wstring COSDDialog::Title() const { return texts_.stage + L" " + texts_.value + L" " + texts_.rate; }

void COSDDialog::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client{};
  GetClientRect(hwnd_, &client);
  {
    OffscreenBuffer buffer(dc, client.right, client.bottom);
    const HDC mem = buffer.Get();
    const ScopedBrush fill(CreateSolidBrush(kFill));
    FillRect(mem, &client, fill.Get());
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, kTextColour);
    const StageDisplayLayout at = StageDisplayLayoutOf(texts_, fontFace_);
    const auto draw = [&](HFONT font, ui::IntPoint p, const std::wstring& text) {
      const SelectScope select(mem, font);
      TextOutW(mem, static_cast<int>(p.x * scale_), static_cast<int>(p.y * scale_), text.c_str(),
               static_cast<int>(text.size()));
    };
    draw(headingFont_.Get(), at.stage, texts_.stage);
    draw(valueFont_.Get(), at.value, texts_.value);
    draw(headingFont_.Get(), at.rate, texts_.rate);
    buffer.Blit();
  }
  EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK COSDDialog::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<COSDDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<COSDDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click on the display leaves the game active
    case WM_ERASEBKGND:
      return 1;  // everything is painted in WM_PAINT
    case WM_PAINT:
      if (self) {
        self->Paint();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (self) self->hwnd_ = nullptr;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void CStageDisplay::Show(const StageDisplayTexts& texts, const std::wstring& fontFace, double scale) {
  // A display whose window went away by other means counts as closed.
  if (countdown_.Open() && !Window()) countdown_.Closed();
  if (countdown_.OnChange() == StageDisplayCountdown::Change::kOpen) {
    dialog_ = std::make_unique<COSDDialog>(instance_, fontFace, scale);
    dialog_->SetTexts(texts);
    if (!dialog_->Create(StageDisplayRect(WorkArea(), scale))) {
      dialog_.reset();
      countdown_.Closed();
      return;
    }
    SetTimer(timerWindow_, kTimerStageDisplay, kTickMs, nullptr);
    return;
  }
  dialog_->SetTexts(texts);
}

void CStageDisplay::OnTimer() {
  if (countdown_.OnTick()) Close();
}

void CStageDisplay::Close() {
  KillTimer(timerWindow_, kTimerStageDisplay);
  countdown_.Closed();
  dialog_.reset();
}

}  // namespace gm::win
