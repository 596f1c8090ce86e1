#pragma once
// The balloon tip of EM_SHOWBALLOONTIP for the edit controls of this folder.
#include <algorithm>

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Messages.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

// The balloon tip of EM_SHOWBALLOONTIP: a borderless top-most popup that takes neither the focus
// nor activation, under the focused field: an optional icon, the title in bold and the text. A
// click on it hides it.
class TEditBalloon : public TCustomControl {
  ZELK_CLASS(TEditBalloon, TCustomControl)
public:
  explicit TEditBalloon(TComponent* AOwner) : TCustomControl(AOwner) {
    FVisible = false;
    FTabStop = false;
    FColor = clInfoBk;
    FBrush->SetColor(FColor);
  }
  // Takes the record's texts and icon and sizes itself to them.
  void SetTip(const EDITBALLOONTIP& Tip, TFont* AFont) {
    FTitle = Tip.pszTitle ? String(Tip.pszTitle) : String();
    FText = Tip.pszText ? String(Tip.pszText) : String();
    FIcon = Tip.ttiIcon >= TTI_INFO && Tip.ttiIcon <= TTI_ERROR ? Tip.ttiIcon : TTI_NONE;
    GetFont()->Assign(AFont);
    const TRect title = Measure(FTitle, true), text = Measure(FText, false);
    const Integer textLeft = Margin + (FIcon != TTI_NONE ? IconSize + Margin : 0);
    const Integer titleHeight = std::max(title.bottom, FIcon != TTI_NONE ? IconSize : 0);
    FTextTop = Margin + (FTitle.empty() && FIcon == TTI_NONE ? 0 : titleHeight + Margin / 2);
    const Integer w = std::max(textLeft + title.right, Margin + text.right) + Margin;
    const Integer h = FTextTop + text.bottom + Margin;
    SetBounds(GetLeft(), GetTop(), w, h);
  }
  const String& Title() const { return FTitle; }
  const String& Text() const { return FText; }
  int Icon() const { return FIcon; }

protected:
  static constexpr Integer Margin = 8, IconSize = 16, MaxTextWidth = 300;

  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
  }
  void DefaultHandler(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
      case WM_LBUTTONDOWN: ShowWindow(FHandle, SW_HIDE); return;
      default: break;
    }
    inherited::DefaultHandler(Message);
  }
  void Paint() override {
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetColor(clInfoBk);
    c->GetPen()->SetColor(clInfoText);
    c->RoundRect(0, 0, GetWidth(), GetHeight(), 8, 8);
    c->GetBrush()->SetStyle(bsClear);
    Integer left = Margin;
    if (FIcon != TTI_NONE) {
      PaintIcon(c, left, Margin);
      left += IconSize + Margin;
    }
    c->GetFont()->Assign(GetFont());
    c->GetFont()->SetColor(clInfoText);
    if (!FTitle.empty()) {
      c->GetFont()->SetStyle(TFontStyles{fsBold});
      TRect r{left, Margin, GetWidth() - Margin, FTextTop};
      c->TextRect(r, FTitle, TTextFormat{tfWordBreak});
      c->GetFont()->SetStyle(TFontStyles{});
    }
    TRect r{Margin, FTextTop, GetWidth() - Margin, GetHeight() - Margin};
    c->TextRect(r, FText, TTextFormat{tfWordBreak});
  }

private:
  // The text's extent when wrapped at MaxTextWidth.
  TRect Measure(const String& AText, bool ABold) {
    if (AText.empty()) return TRect{};
    TBitmap scratch;
    TCanvas* c = scratch.GetCanvas();
    c->GetFont()->Assign(GetFont());
    if (ABold) c->GetFont()->SetStyle(TFontStyles{fsBold});
    TRect r{0, 0, MaxTextWidth, 0};
    DrawText(c->GetHandle(), AText.c_str(), static_cast<int>(AText.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return r;
  }
  // Information: a blue disc with "i"; warning: a yellow triangle with "!"; error: a red disc with "X".
  void PaintIcon(TCanvas* C, Integer X, Integer Y) {
    const TColor fill = FIcon == TTI_ERROR ? clRed : FIcon == TTI_WARNING ? clYellow : clBlue;
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(fill);
    C->GetPen()->SetColor(clBlack);
    if (FIcon == TTI_WARNING)
      C->Polygon({TPoint{X + IconSize / 2, Y}, TPoint{X + IconSize - 1, Y + IconSize - 1}, TPoint{X, Y + IconSize - 1}});
    else
      C->Ellipse(X, Y, X + IconSize, Y + IconSize);
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->Assign(GetFont());
    C->GetFont()->SetStyle(TFontStyles{fsBold});
    C->GetFont()->SetColor(FIcon == TTI_WARNING ? clBlack : clWhite);
    TRect r{X, Y + (FIcon == TTI_WARNING ? 3 : 0), X + IconSize, Y + IconSize};
    const Char* mark = FIcon == TTI_ERROR ? u"X" : FIcon == TTI_WARNING ? u"!" : u"i";
    C->TextRect(r, String(mark), TTextFormat{tfCenter, tfSingleLine, tfVerticalCenter});
  }

  String FTitle, FText;
  int FIcon = TTI_NONE;
  Integer FTextTop = 0;
};

// EM_SHOWBALLOONTIP of an edit control: the record checked, the balloon (made on the first call,
// owned by Owner) filled and shown topmost without activation at the screen point. FALSE for a
// bad record or an edit without a window.
inline LRESULT ShowEditBalloon(TEditBalloon*& Balloon, TWinControl* Owner, const EDITBALLOONTIP* Tip, TPoint At) {
  if (!Tip || (Tip->cbStruct != 16 && Tip->cbStruct != sizeof(EDITBALLOONTIP)) || !Owner->HandleAllocated())
    return FALSE;
  if (!Balloon) Balloon = new TEditBalloon(Owner);
  Balloon->SetTip(*Tip, Owner->GetFont());
  Balloon->SetBounds(At.x, At.y, Balloon->GetWidth(), Balloon->GetHeight());
  SetWindowPos(Balloon->GetHandle(), HWND_TOPMOST, At.x, At.y, Balloon->GetWidth(), Balloon->GetHeight(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Balloon->Invalidate();
  return TRUE;
}

// Hides the balloon; false when none was showing.
inline bool HideEditBalloon(TEditBalloon* Balloon) {
  if (!Balloon || !Balloon->HandleAllocated() || !IsWindowVisible(Balloon->GetHandle())) return false;
  ShowWindow(Balloon->GetHandle(), SW_HIDE);
  return true;
}

// The balloon's window while it shows, else nullptr.
inline HWND EditBalloonWindow(TEditBalloon* Balloon) {
  return Balloon && Balloon->HandleAllocated() && IsWindowVisible(Balloon->GetHandle()) ? Balloon->GetHandle() : nullptr;
}
