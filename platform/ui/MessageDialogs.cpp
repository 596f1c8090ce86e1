// Message dialogs: a form with an icon, the message and a row of buttons.
#include <algorithm>
#include <memory>

#include "platform/ui/Dialogs.h"

namespace {

struct TButtonInfo {
  const Char* Name;
  const Char* Caption;
  TModalResult Result;
};

const TButtonInfo& InfoOf(TMsgDlgBtn B) {
  static const TButtonInfo infos[] = {
      {u"Yes", u"&Yes", mrYes},          {u"No", u"&No", mrNo},
      {u"OK", u"OK", mrOk},              {u"Cancel", u"Cancel", mrCancel},
      {u"Abort", u"&Abort", mrAbort},    {u"Retry", u"&Retry", mrRetry},
      {u"Ignore", u"&Ignore", mrIgnore}, {u"All", u"&All", mrAll},
      {u"NoToAll", u"N&o to All", mrNoToAll}, {u"YesToAll", u"Yes to &All", mrYesToAll},
      {u"Help", u"&Help", mrHelp},       {u"Close", u"&Close", mrClose}};
  return infos[static_cast<int>(B)];
}

const Char* CaptionOf(TMsgDlgType T) {
  switch (T) {
    case mtWarning: return u"Warning";
    case mtError: return u"Error";
    case mtInformation: return u"Information";
    case mtConfirmation: return u"Confirm";
    default: return nullptr;
  }
}

// The dialog's icon, drawn in the classic shapes: a red stop sign, a yellow warning triangle, a
// blue circle with "i" or "?".
class TMessageIcon : public TGraphicControl {
  ZELK_CLASS(TMessageIcon, TGraphicControl)
public:
  TMessageIcon(TComponent* AOwner, TMsgDlgType AType) : TGraphicControl(AOwner), FType(AType) {
    FWidth = 32;
    FHeight = 32;
    FParentColor = true;
  }

protected:
  void Paint() override {
    TCanvas* c = GetCanvas();
    c->GetPen()->SetColor(clBlack);
    const Char* mark = u"i";
    TColor fill = clBlue;
    switch (FType) {
      case mtError: fill = clRed; mark = u"X"; break;
      case mtConfirmation: mark = u"?"; break;
      case mtWarning: fill = clYellow; mark = u"!"; break;
      default: break;
    }
    c->GetBrush()->SetColor(fill);
    if (FType == mtWarning) c->Polygon({TPoint{16, 1}, TPoint{31, 30}, TPoint{1, 30}});
    else c->Ellipse(1, 1, 31, 31);
    c->GetBrush()->SetStyle(bsClear);
    c->GetFont()->SetName(u"Tahoma");
    c->GetFont()->SetHeight(-18);
    c->GetFont()->SetStyle(TFontStyles{fsBold});
    c->GetFont()->SetColor(FType == mtWarning ? clBlack : clWhite);
    TRect r{0, FType == mtWarning ? 8 : 3, 32, 31};
    c->TextRect(r, String(mark), TTextFormat{tfCenter, tfSingleLine, tfVerticalCenter});
  }

private:
  TMsgDlgType FType;
};

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn Button) { return InfoOf(Button).Result; }

TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  TMsgDlgBtn def = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
  return CreateMessageDialog(Msg, DlgType, Buttons, def);
}

TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton) {
  if (Buttons.Empty()) Buttons = TMsgDlgButtons{mbOK};
  // Owned here until it is complete: a failure while it is built frees it.
  std::unique_ptr<TForm> form(new TForm(nullptr));
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons(TBorderIcons{biSystemMenu});
  form->SetPosition(poScreenCenter);
  form->GetFont()->SetName(u"Tahoma");
  form->GetFont()->SetHeight(-12);
  const Char* caption = CaptionOf(DlgType);
  form->SetCaption(caption ? String(caption) : (Application ? Application->GetTitle() : String()));

  constexpr Integer margin = 12, buttonW = 75, buttonH = 25, gap = 8;
  Integer textLeft = margin;
  if (DlgType != mtCustom) {
    auto* icon = new TMessageIcon(form.get(), DlgType);
    icon->SetParent(form.get());
    icon->SetBounds(margin, margin, 32, 32);
    textLeft = margin + 32 + margin;
  }
  // The message wraps at about half the screen.
  TRect text{0, 0, std::max<Integer>(200, (Screen ? Screen->GetWidth() : 1024) / 2), 0};
  HDC dc = GetDC(nullptr);
  {
    ControlPaint::TSelectFont sel(dc, form->GetFont());
    DrawText(dc, Msg.c_str(), static_cast<int>(Msg.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  }
  ReleaseDC(nullptr, dc);
  auto* label = new TLabel(form.get());
  label->SetName(u"Message");
  label->SetParent(form.get());
  label->SetShowAccelChar(false);
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(Msg);
  label->SetBounds(textLeft, margin + (DlgType != mtCustom && text.bottom < 32 ? (32 - text.bottom) / 2 : 0), text.right + 4,
                   text.bottom);

  Integer count = Buttons.Count();
  Integer rowW = count * buttonW + (count - 1) * gap;
  Integer contentH = std::max<Integer>(DlgType != mtCustom ? 32 : 0, text.bottom);
  Integer clientW = std::max(textLeft + text.right + 4 + margin, rowW + 2 * margin);
  Integer buttonsTop = margin + contentH + margin + 4;
  form->SetClientWidth(clientW);
  form->SetClientHeight(buttonsTop + buttonH + margin);
  TMsgDlgBtn cancel = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
  Integer x = (clientW - rowW) / 2;
  for (TMsgDlgBtn b : Buttons) {
    const TButtonInfo& info = InfoOf(b);
    auto* button = new TButton(form.get());
    button->SetName(info.Name);
    button->SetParent(form.get());
    button->SetCaption(info.Caption);
    button->SetModalResult(info.Result);
    button->SetBounds(x, buttonsTop, buttonW, buttonH);
    if (b == DefaultButton) {
      button->SetDefault(true);
      form->SetActiveControl(button);
    }
    if (b == cancel) button->SetCancel(true);
    x += buttonW + gap;
  }
  return form.release();
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx) {
  (void)HelpCtx;
  std::unique_ptr<TForm> form(CreateMessageDialog(Msg, DlgType, Buttons));
  return form->ShowModal();
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx,
                   TMsgDlgBtn DefaultButton) {
  (void)HelpCtx;
  std::unique_ptr<TForm> form(CreateMessageDialog(Msg, DlgType, Buttons, DefaultButton));
  return form->ShowModal();
}

void ShowMessage(const String& Msg) {
  std::unique_ptr<TForm> form(CreateMessageDialog(Msg, mtCustom, TMsgDlgButtons{mbOK}));
  form->SetCaption(Application ? Application->GetTitle() : String());
  form->ShowModal();
}
