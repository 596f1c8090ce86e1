// TNeoStringGrid: the balloon tooltip window. One tool covers the grid's client area and asks the
// grid for each balloon's text; the settings give its delays and transparency.
#include <algorithm>
#include <array>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/win/ToolTips.h"

std::unique_ptr<TBalloonSettings> TNeoStringGrid::MakeBalloonSettings() {
  auto balloon = std::make_unique<TBalloonSettings>();
  balloon->OnEnableChange = [this](TObject* Sender) { BalloonEnableChanged(Sender); };
  return balloon;
}

void TNeoStringGrid::BalloonEnableChanged(TObject*) {
  if (GetComponentState().Contains(csLoading)) return;
  if (!FBalloon->GetEnable()) {
    BalloonDone();
    return;
  }
  // Without a window yet the tooltip comes with it (CreateWnd).
  if (HandleAllocated()) BalloonInit();
}

void TNeoStringGrid::BalloonInit() {
  if (FBalloon->FInit) return;
  FBalloon->FInit = true;
  BalloonCreateWindow();
  BalloonAddTool(3, u"ToolTipText");
  BalloonInitSettings(FHToolTip);
}

void TNeoStringGrid::BalloonDone() {
  if (!FBalloon->FInit) return;
  BalloonDestroyWindow();
  FBalloon->FInit = false;
}

void TNeoStringGrid::BalloonCreateWindow() {
  FHToolTip = CreateWindowEx(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, HandleAllocated() ? GetHandle() : nullptr,
                             nullptr, nullptr, nullptr);
  if (FHToolTip) SetWindowPos(FHToolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TNeoStringGrid::BalloonDestroyWindow() {
  // Destroying the grid's window has already ended the owned tooltip.
  if (FHToolTip && IsWindow(FHToolTip)) DestroyWindow(FHToolTip);
  FHToolTip = nullptr;
}

void TNeoStringGrid::BalloonAddTool(Integer Icon, const String& Title) {
  if (!FHToolTip || !HandleAllocated()) return;
  TOOLINFOW info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetHandle();
  info.uId = reinterpret_cast<UINT_PTR>(GetHandle());
  if (!::GetClientRect(GetHandle(), &info.rect)) return;
  info.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessage(FHToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  // The title travels in a zeroed buffer of 256 characters, the last one always the terminator.
  std::array<Char, 256> buffer{};
  std::copy_n(Title.begin(), std::min<std::size_t>(Title.size(), buffer.size() - 1), buffer.begin());
  if (Icon < 0 || Icon > 3) Icon = 0;
  SendMessage(FHToolTip, TTM_SETTITLEW, static_cast<WPARAM>(Icon), reinterpret_cast<LPARAM>(buffer.data()));
}

void TNeoStringGrid::BalloonInitSettings(HWND HToolTip) {
  if (!HToolTip) return;
  const TBalloonSettings& b = *FBalloon;
  if (b.GetInitialDelay() != -1) SendMessage(HToolTip, TTM_SETDELAYTIME, TTDT_INITIAL, b.GetInitialDelay());
  if (b.GetReshowDelay() != -1) SendMessage(HToolTip, TTM_SETDELAYTIME, TTDT_RESHOW, b.GetReshowDelay());
  if (b.GetAutoHideDelay() != -1) SendMessage(HToolTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, b.GetAutoHideDelay());
  if (b.GetTransparency() != 0)
    SetLayeredAlpha(HToolTip, 0, static_cast<Byte>(255 - b.GetTransparency()), TRect{0, 0, 100, 100});
}
