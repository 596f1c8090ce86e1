// TCustomRichEdit: the rich edit drawn by the class library. The content is a TRichDocument that
// belongs to the control object (so a new window keeps it); the default handler is the control's
// own behaviour: keys, mouse, clipboard and the rich edit messages.
#include <algorithm>
#include <cstring>

#include "platform/ui/ComCtrls.h"
#include "platform/rtl/Math.h"
#include "platform/ui/RichLayout.h"
#include "platform/ui/RichText.h"
#include "platform/win/Surface.h"
#include "platform/win/WinBase.h"
#include "platform/win/WinScroll.h"

namespace {

UINT RtfClipboardFormat() {
  static UINT id = RegisterClipboardFormat(u"Rich Text Format");
  return id;
}

bool IsWordChar(Char C) {
  return (C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_' || C >= 0xC0;
}

DWORD EffectsOf(const TRichFormat& F) {
  DWORD e = 0;
  if (F.Bold) e |= CFE_BOLD;
  if (F.Italic) e |= CFE_ITALIC;
  if (F.Underline) e |= CFE_UNDERLINE;
  if (F.StrikeOut) e |= CFE_STRIKEOUT;
  if (F.AutoColor) e |= CFE_AUTOCOLOR;
  if (F.Script == rsSubscript) e |= CFE_SUBSCRIPT;
  if (F.Script == rsSuperscript) e |= CFE_SUPERSCRIPT;
  return e;
}

String FaceOf(const CHARFORMAT2W& C) {
  String s;
  for (std::size_t i = 0; i < 32 && C.szFaceName[i]; ++i) s += C.szFaceName[i];
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lines: one string per paragraph.

class TRichEditStrings : public TStrings {
  ZELK_CLASS(TRichEditStrings, TStrings)
public:
  explicit TRichEditStrings(TCustomRichEdit* AOwner) : FEdit(AOwner) {}
  Integer GetCount() const override {
    const TRichDocument& d = *FEdit->FDoc;
    // An empty last paragraph ends the text, it is no line of its own.
    Integer n = d.ParagraphCount();
    return n > 0 && d.Paragraph(n - 1).Text.empty() ? n - 1 : n;
  }
  void Clear() override { FEdit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"")); }
  void Delete(Integer Index) override {
    if (Index < 0 || Index >= GetCount()) return;
    TRichDocument& d = *FEdit->FDoc;
    Integer from = d.ParagraphStart(Index);
    Integer to = from + static_cast<Integer>(d.Paragraph(Index).Text.size()) + 1;
    d.Delete(from, std::min(to, d.Length()));
    FEdit->Changed();
  }
  void Insert(Integer Index, const String& S) override {
    TRichDocument& d = *FEdit->FDoc;
    Integer count = GetCount();
    Index = std::clamp<Integer>(Index, 0, count);
    if (Index == count && count < d.ParagraphCount()) {
      // Into the empty last paragraph.
      Integer pos = d.Length();
      d.Insert(pos, S + u"\r", d.FormatIndexAt(pos));
    } else if (Index == count) {
      Integer pos = d.Length();
      d.Insert(pos, (count > 0 ? u"\r" : u"") + S, d.FormatIndexAt(pos));
    } else {
      Integer pos = d.ParagraphStart(Index);
      d.Insert(pos, S + u"\r", d.FormatIndexAt(pos));
    }
    FEdit->Changed();
  }
  void LoadFromStream(TStream* Stream, TEncoding* Encoding = nullptr) override {
    if (FEdit->FPlainText) {
      TStrings::LoadFromStream(Stream, Encoding);
      return;
    }
    std::string bytes(static_cast<std::size_t>(std::max<Int64>(0, Stream->GetSize() - Stream->GetPosition())), '\0');
    bytes.resize(static_cast<std::size_t>(Stream->Read(bytes.data(), static_cast<Integer>(bytes.size()))));
    FEdit->SetRtf(bytes);
  }
  void SaveToStream(TStream* Stream, TEncoding* Encoding = nullptr) override {
    if (FEdit->FPlainText) {
      TStrings::SaveToStream(Stream, Encoding);
      return;
    }
    std::string rtf = FEdit->GetRtf();
    Stream->WriteBuffer(rtf.data(), static_cast<Integer>(rtf.size()));
  }
  void SetText(StringView Value) override { FEdit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(String(Value).c_str())); }

protected:
  String Get(Integer Index) const override {
    return Index >= 0 && Index < FEdit->FDoc->ParagraphCount() ? FEdit->FDoc->Paragraph(Index).Text : String();
  }
  void Put(Integer Index, const String& S) override {
    if (Index < 0 || Index >= GetCount()) return;
    TRichDocument& d = *FEdit->FDoc;
    Integer from = d.ParagraphStart(Index);
    Integer fmt = d.FormatIndexAt(from + 1);
    d.Delete(from, from + static_cast<Integer>(d.Paragraph(Index).Text.size()));
    d.Insert(from, S, fmt);
    FEdit->Changed();
  }

private:
  TCustomRichEdit* FEdit;
};

// ---------------------------------------------------------------------------------------------
// TTextAttributes, TParaAttributes

CHARFORMAT2W TTextAttributes::Get() {
  CHARFORMAT2W f;
  FRichEdit->GetCharFormat(FType == atSelected ? SCF_SELECTION : SCF_DEFAULT, f);
  return f;
}

void TTextAttributes::Set(CHARFORMAT2W& Format) {
  FRichEdit->Perform(EM_SETCHARFORMAT, FType == atSelected ? SCF_SELECTION : SCF_DEFAULT, reinterpret_cast<LPARAM>(&Format));
}

String TTextAttributes::GetName() { return FaceOf(Get()); }

void TTextAttributes::SetName(const String& Value) {
  CHARFORMAT2W f;
  f.dwMask = CFM_FACE;
  for (std::size_t i = 0; i < 31 && i < Value.size(); ++i) f.szFaceName[i] = Value[i];
  Set(f);
}

Integer TTextAttributes::GetSize() { return Get().yHeight / 20; }

void TTextAttributes::SetSize(Integer Value) {
  CHARFORMAT2W f;
  f.dwMask = CFM_SIZE;
  f.yHeight = Value * 20;
  Set(f);
}

Integer TTextAttributes::GetHeight() { return MulDiv(GetSize(), GdiGetScreenDpi(), 72); }
void TTextAttributes::SetHeight(Integer Value) { SetSize(MulDiv(Value, 72, GdiGetScreenDpi())); }

TFontStyles TTextAttributes::GetStyle() {
  CHARFORMAT2W f = Get();
  TFontStyles s;
  if (f.dwEffects & CFE_BOLD) s.Include(fsBold);
  if (f.dwEffects & CFE_ITALIC) s.Include(fsItalic);
  if (f.dwEffects & CFE_UNDERLINE) s.Include(fsUnderline);
  if (f.dwEffects & CFE_STRIKEOUT) s.Include(fsStrikeOut);
  return s;
}

void TTextAttributes::SetStyle(TFontStyles Value) {
  CHARFORMAT2W f;
  f.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  if (Value.Contains(fsBold)) f.dwEffects |= CFE_BOLD;
  if (Value.Contains(fsItalic)) f.dwEffects |= CFE_ITALIC;
  if (Value.Contains(fsUnderline)) f.dwEffects |= CFE_UNDERLINE;
  if (Value.Contains(fsStrikeOut)) f.dwEffects |= CFE_STRIKEOUT;
  Set(f);
}

TColor TTextAttributes::GetColor() {
  CHARFORMAT2W f = Get();
  return (f.dwEffects & CFE_AUTOCOLOR) ? clWindowText : static_cast<TColor>(f.crTextColor);
}

void TTextAttributes::SetColor(TColor Value) {
  CHARFORMAT2W f;
  f.dwMask = CFM_COLOR;
  if (Value == clWindowText) f.dwEffects = CFE_AUTOCOLOR;
  else f.crTextColor = ColorToRGB(Value);
  Set(f);
}

TFontCharset TTextAttributes::GetCharset() { return Get().bCharSet; }

void TTextAttributes::SetCharset(TFontCharset Value) {
  CHARFORMAT2W f;
  f.dwMask = CFM_CHARSET;
  f.bCharSet = Value;
  Set(f);
}

void TTextAttributes::Assign(TPersistent* Source) {
  if (auto* t = dynamic_cast<TTextAttributes*>(Source)) {
    CHARFORMAT2W f = t->Get();
    f.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_SIZE | CFM_FACE | CFM_CHARSET;
    Set(f);
    return;
  }
  if (auto* font = dynamic_cast<TFont*>(Source)) {
    SetName(font->GetName());
    SetSize(font->GetSize());
    SetStyle(font->GetStyle());
    SetColor(font->GetColor());
    SetCharset(font->GetCharset());
    return;
  }
  TPersistent::Assign(Source);
}

TAlignment TParaAttributes::GetAlignment() {
  Integer para, offset;
  FRichEdit->FDoc->Locate(FRichEdit->GetSelStart(), para, offset);
  return FRichEdit->FDoc->Paragraph(para).Align;
}

void TParaAttributes::SetAlignment(TAlignment Value) {
  Integer s = FRichEdit->GetSelStart();
  FRichEdit->FDoc->SetAlignment(s, s + FRichEdit->GetSelLength(), Value);
  FRichEdit->Changed();
}

// ---------------------------------------------------------------------------------------------
// TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomEdit(AOwner),
      FDoc(std::make_unique<TRichDocument>()),
      FLines(std::make_unique<TRichEditStrings>(this)),
      FSelAttributes(std::make_unique<TTextAttributes>(this, atSelected)),
      FDefAttributes(std::make_unique<TTextAttributes>(this, atDefaultText)),
      FParagraph(std::make_unique<TParaAttributes>(this)) {
  FLayout = std::make_unique<TRichLayout>(*FDoc);
  FControlStyle.Exclude(csFixedHeight);
  FWidth = 185;
  FHeight = 89;
  FHideSelection = true;
  FAutoSelect = false;
  FDoc->Clear(DefaultFormat());
}

TCustomRichEdit::~TCustomRichEdit() = default;

TRichFormat TCustomRichEdit::DefaultFormat() const {
  TRichFormat f;
  TFont* font = const_cast<TCustomRichEdit*>(this)->GetFont();
  f.Name = font->GetName();
  f.Height = font->GetSize() * 20;
  TFontStyles st = font->GetStyle();
  f.Bold = st.Contains(fsBold);
  f.Italic = st.Contains(fsItalic);
  f.Underline = st.Contains(fsUnderline);
  f.StrikeOut = st.Contains(fsStrikeOut);
  f.AutoColor = font->GetColor() == clWindowText;
  f.Color = f.AutoColor ? 0 : ColorToRGB(font->GetColor());
  f.Charset = font->GetCharset();
  return f;
}

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomRichEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  // The class library asks for every notification it turns into events.
  FEventMask = ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE;
  FLastRequest = TSize{-1, -1};
  UpdateScrollBars();
}

void TCustomRichEdit::SetLines(TStrings* Value) { FLines->Assign(Value); }

String TCustomRichEdit::GetSelText() { return FDoc->TextRange(GetSelStart(), GetSelStart() + GetSelLength(), u"\r\n"); }

String TCustomRichEdit::GetPlainTextContent() { return FDoc->Text(u"\r\n"); }

void TCustomRichEdit::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  Invalidate();
}

void TCustomRichEdit::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

std::string TCustomRichEdit::GetRtf() { return FDoc->ToRtf(); }

void TCustomRichEdit::SetRtf(const std::string& Rtf) {
  *FDoc = TRichDocument::FromRtf(Rtf, DefaultFormat());
  FUndo.reset();
  FModified = false;
  FTopY = FLeftX = 0;
  FTypingFormat = -1;
  FAnchor = FCaret = 0;
  Changed();
}

// ---- notifications

void TCustomRichEdit::Changed() {
  FTypingFormat = -1;
  auto len = FDoc->Length();
  FAnchor = std::clamp(FAnchor, 0, len);
  FCaret = std::clamp(FCaret, 0, len);
  Invalidate();
  UpdateScrollBars();
  if (FEventMask & ENM_CHANGE) NotifyChange();
  if (FEventMask & ENM_REQUESTRESIZE) Perform(EM_REQUESTRESIZE, 0, 1);
}

void TCustomRichEdit::SetRichSelection(Integer Anchor, Integer Caret, bool Notify) {
  auto len = FDoc->Length();
  Anchor = std::clamp(Anchor, 0, len);
  Caret = std::clamp(Caret, 0, len);
  bool changed = Anchor != FAnchor || Caret != FCaret;
  FAnchor = Anchor;
  FCaret = Caret;
  if (changed) FTypingFormat = -1;
  ScrollToCaret();
  Invalidate();
  if (!changed || !Notify || !(FEventMask & ENM_SELCHANGE)) return;
  SELCHANGE n;
  n.nmhdr.hwndFrom = FHandle;
  n.nmhdr.code = EN_SELCHANGE;
  n.chrg.cpMin = GetSelStart();
  n.chrg.cpMax = GetSelStart() + GetSelLength();
  n.seltyp = GetSelLength() ? 2 : 0;
  if (FHandle && FParent && FParent->HandleAllocated()) SendMessage(FParent->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
  else SelectionChange();
}

void TCustomRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::RequestSize(const TRect& Rect) {
  if (OnResizeRequest) OnResizeRequest(this, Rect);
}

void TCustomRichEdit::CNNotify(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  if (!hdr) return;
  if (hdr->code == EN_SELCHANGE) SelectionChange();
  else if (hdr->code == EN_REQUESTRESIZE) RequestSize(reinterpret_cast<REQRESIZE*>(Message.LParam)->rc);
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    CNNotify(Message);
    return;
  }
  inherited::Dispatch(Message);
}

// ---- layout

TRect TCustomRichEdit::FormatRect() {
  if (FEditRectSet) return FEditRect;
  TRect r = GetClientRect();
  r.left += 1;
  r.right = std::max(r.left, r.right - 1);
  return r;
}

void TCustomRichEdit::UpdateLayout() {
  TRect r = FormatRect();
  FLayout->SetParams(GdiGetScreenDpi(), r.right - r.left, FWordWrap);
}

TPoint TCustomRichEdit::PointFromPos(Integer Pos) {
  UpdateLayout();
  TRect r = FormatRect();
  TRect c = FLayout->CaretRect(Pos);
  return TPoint{r.left + c.left - FLeftX, r.top + c.top - FTopY};
}

Integer TCustomRichEdit::PosFromPoint(TPoint P) {
  UpdateLayout();
  TRect r = FormatRect();
  return FLayout->CharFromPoint(P.x - r.left + FLeftX, P.y - r.top + FTopY);
}

void TCustomRichEdit::ScrollToCaret() {
  if (!FHandle) return;
  UpdateLayout();
  TRect r = FormatRect();
  TRect c = FLayout->CaretRect(FCaret);
  Integer h = r.bottom - r.top, w = r.right - r.left;
  if (c.top < FTopY) FTopY = c.top;
  else if (c.bottom > FTopY + h) FTopY = std::max(0, c.bottom - h);
  if (!FWordWrap) {
    if (c.left < FLeftX) FLeftX = std::max(0, c.left - w / 4);
    else if (c.left > FLeftX + w - 1) FLeftX = c.left - w + w / 4;
  } else {
    FLeftX = 0;
  }
  UpdateScrollBars();
}

void TCustomRichEdit::UpdateScrollBars() {
  if (!FHandle || !(FScrollBars == ssVertical || FScrollBars == ssBoth)) return;
  UpdateLayout();
  TRect r = FormatRect();
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  si.nMax = std::max(0, FLayout->Height() - 1);
  si.nPage = static_cast<UINT>(std::max<Integer>(0, r.bottom - r.top));
  si.nPos = FTopY;
  SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
}

// ---- painting

void TCustomRichEdit::PaintWindow(HDC DC) {
  UpdateLayout();
  TRect client = GetClientRect();
  ControlPaint::FillColor(DC, client, FBackSystem ? GetColor() : FBackColor);
  TRect r = FormatRect();
  int saved = SaveDC(DC);
  IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
  bool focused = Focused();
  TRichLayout::TDrawParams p;
  p.Origin = TPoint{r.left - FLeftX, r.top - FTopY};
  if (focused || !FHideSelection) {
    p.SelFrom = GetSelStart();
    p.SelTo = GetSelStart() + GetSelLength();
  }
  TColor text = GetEnabled() ? GetFont()->GetColor() : clGrayText;
  p.TextColor = ColorToRGB(text);
  p.SelBack = ColorToRGB(focused ? clHighlight : clBtnFace);
  p.SelText = ColorToRGB(focused ? clHighlightText : clWindowText);
  FLayout->Draw(DC, p);
  if (focused && GetSelLength() == 0) {
    TRect c = FLayout->CaretRect(FCaret);
    OffsetRect(&c, r.left - FLeftX, r.top - FTopY);
    ControlPaint::FillColor(DC, c, clWindowText);
  }
  RestoreDC(DC, saved);
}

// ---- editing

bool TCustomRichEdit::UserEdit(const std::function<void()>& Edit) {
  if (FReadOnly) {
    MessageBeep(MB_OK);
    return false;
  }
  auto before = std::make_unique<TRichDocument>(*FDoc);
  Integer anchor = FAnchor, caret = FCaret;
  std::uint64_t version = FDoc->Version();
  Edit();
  if (FDoc->Version() == version) return false;
  FUndo = std::move(before);
  FUndoAnchor = anchor;
  FUndoCaret = caret;
  FModified = true;
  Changed();
  return true;
}

void TCustomRichEdit::ReplaceWith(const TRichDocument& Piece) {
  Integer s = GetSelStart(), e = s + GetSelLength();
  UserEdit([&] {
    Integer room = FMaxLength > 0 ? FMaxLength - (FDoc->Length() - (e - s)) : 0x7FFFFFFF;
    const TRichDocument* piece = &Piece;
    TRichDocument cut;
    if (Piece.Length() > room) {
      cut = Piece.Copy(0, std::max(0, room));
      piece = &cut;
    }
    if (e > s) FDoc->Delete(s, e);
    Integer end = piece->Length() > 0 ? FDoc->InsertDocument(s, *piece) : s;
    FAnchor = FCaret = end;
  });
  SetRichSelection(FCaret, FCaret);
}

void TCustomRichEdit::ReplaceWithText(const String& Text) {
  Integer s = GetSelStart();
  Integer fmt = FTypingFormat >= 0 ? FTypingFormat : FDoc->FormatIndexAt(GetSelLength() ? s + 1 : s);
  TRichDocument piece;
  piece.Clear(FDoc->Format(fmt));
  piece.Insert(0, Text, 0);
  ReplaceWith(piece);
}

void TCustomRichEdit::ToggleStyle(DWORD Mask) {
  CHARFORMAT2W f;
  GetCharFormat(SCF_SELECTION, f);
  bool on = (f.dwMask & Mask) && (f.dwEffects & Mask);
  CHARFORMAT2W set;
  set.dwMask = Mask;
  set.dwEffects = on ? 0 : Mask;
  Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&set));
}

void TCustomRichEdit::SetCharFormat(WPARAM Scope, const CHARFORMAT2W& C) {
  TRichFormat f;
  f.Bold = C.dwEffects & CFE_BOLD;
  f.Italic = C.dwEffects & CFE_ITALIC;
  f.Underline = C.dwEffects & CFE_UNDERLINE;
  f.StrikeOut = C.dwEffects & CFE_STRIKEOUT;
  f.AutoColor = C.dwEffects & CFE_AUTOCOLOR;
  f.Color = f.AutoColor ? 0 : C.crTextColor;
  f.Height = std::max<LONG>(20, C.yHeight);
  f.Offset = C.yOffset;
  f.Name = FaceOf(C);
  f.Charset = C.bCharSet;
  f.Script = (C.dwEffects & CFE_SUPERSCRIPT) ? rsSuperscript : (C.dwEffects & CFE_SUBSCRIPT) ? rsSubscript : rsNone;
  DWORD mask = C.dwMask & rfAll;
  if (Scope & SCF_ALL) {
    FDoc->ApplyFormat(-1, -1, mask, f);
    TRichDocument def;
    def.Clear(FDoc->Default);
    def.ApplyFormat(-1, -1, mask, f);
    FDoc->Default = def.Format(def.FormatIndexAt(0));
    Changed();
    return;
  }
  if (Scope & SCF_SELECTION) {
    Integer s = GetSelStart(), e = s + GetSelLength();
    if (e == s) {
      // An empty selection: the format of what is typed next.
      TRichDocument probe;
      probe.Clear(FDoc->Format(FTypingFormat >= 0 ? FTypingFormat : FDoc->FormatIndexAt(s)));
      probe.ApplyFormat(-1, -1, mask, f);
      FTypingFormat = FDoc->Intern(probe.Format(probe.FormatIndexAt(0)));
      if (FDoc->Length() == 0) {
        FDoc->ApplyFormat(-1, -1, mask, f);
        Integer keep = FTypingFormat;
        Changed();
        FTypingFormat = keep;
      }
      return;
    }
    FDoc->ApplyFormat(s, e, mask, f);
    FModified = true;
    Changed();
    return;
  }
  // SCF_DEFAULT: the default format; an empty document takes it at once.
  TRichDocument def;
  def.Clear(FDoc->Default);
  def.ApplyFormat(-1, -1, mask, f);
  FDoc->Default = def.Format(0);
  if (FDoc->Length() == 0) {
    FDoc->Clear(FDoc->Default);
    Changed();
  }
}

void TCustomRichEdit::GetCharFormat(WPARAM Scope, CHARFORMAT2W& C) {
  TRichFormat f;
  DWORD same = rfAll;
  if (Scope & SCF_SELECTION) {
    Integer s = GetSelStart();
    if (GetSelLength() == 0 && FTypingFormat >= 0) f = FDoc->Format(FTypingFormat);
    else f = FDoc->FormatOfRange(s, s + GetSelLength(), same);
  } else {
    f = FDoc->Default;
  }
  UINT size = C.cbSize;
  CHARFORMAT2W out;
  out.cbSize = size;
  out.dwMask = same & (CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SUBSCRIPT | CFM_CHARSET | CFM_OFFSET |
                       CFM_FACE | CFM_COLOR | CFM_SIZE);
  out.dwEffects = EffectsOf(f);
  out.yHeight = f.Height;
  out.yOffset = f.Offset;
  out.crTextColor = f.AutoColor ? 0 : f.Color;
  out.bCharSet = f.Charset;
  for (std::size_t i = 0; i < 31 && i < f.Name.size(); ++i) out.szFaceName[i] = f.Name[i];
  out.wWeight = f.Bold ? 700 : 400;
  std::memcpy(&C, &out, std::min<std::size_t>(std::max<UINT>(size, CHARFORMATW_SIZE), sizeof(CHARFORMAT2W)));
}

LRESULT TCustomRichEdit::FormatRange(bool Render, const FORMATRANGE* Range) {
  if (!Range) return 0;
  HDC target = Range->hdcTarget ? Range->hdcTarget : Range->hdc;
  int dpiX = target ? GetDeviceCaps(target, LOGPIXELSX) : 0;
  int dpiY = target ? GetDeviceCaps(target, LOGPIXELSY) : 0;
  if (dpiX <= 0) dpiX = 96;
  if (dpiY <= 0) dpiY = dpiX;
  TRect rc = Range->rc;
  int left = MulDiv(rc.left, dpiX, 1440), top = MulDiv(rc.top, dpiY, 1440);
  int width = MulDiv(rc.right - rc.left, dpiX, 1440), height = MulDiv(rc.bottom - rc.top, dpiY, 1440);
  TRichLayout layout(*FDoc);
  layout.SetParams(dpiX, width, true);
  const auto& lines = layout.Lines();
  Integer cpMin = std::clamp<Integer>(Range->chrg.cpMin, 0, FDoc->Length());
  Integer cpMax = Range->chrg.cpMax < 0 ? FDoc->Length() : std::min<Integer>(Range->chrg.cpMax, FDoc->Length());
  Integer first = layout.LineFromChar(cpMin);
  // Lines that fit the height and start before cpMax.
  Integer last = first;
  int top0 = lines[static_cast<std::size_t>(first)].Top;
  while (last < static_cast<Integer>(lines.size()) && lines[static_cast<std::size_t>(last)].Start < std::max(cpMax, cpMin + 1) &&
         lines[static_cast<std::size_t>(last)].Top + lines[static_cast<std::size_t>(last)].Height - top0 <= height)
    ++last;
  if (Render && Range->hdc && last > first) {
    TRichLayout::TDrawParams p;
    p.Origin = TPoint{left, top};
    p.FirstLine = first;
    p.MaxHeight = lines[static_cast<std::size_t>(last - 1)].Top + lines[static_cast<std::size_t>(last - 1)].Height - top0;
    p.TextColor = ColorToRGB(GetFont()->GetColor());
    layout.Draw(Range->hdc, p);
  }
  if (last >= static_cast<Integer>(lines.size())) return cpMax;
  return std::min(cpMax, lines[static_cast<std::size_t>(last)].Start);
}

void TCustomRichEdit::CopySelection() {
  if (GetSelLength() == 0) return;
  Integer s = GetSelStart();
  TRichDocument piece = FDoc->Copy(s, s + GetSelLength());
  std::string rtf = piece.ToRtf();
  String text = piece.Text(u"\r\n");
  HGLOBAL rtfMem = GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1);
  HGLOBAL textMem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
  if (!rtfMem || !textMem) {
    if (rtfMem) GlobalFree(rtfMem);
    if (textMem) GlobalFree(textMem);
    return;
  }
  std::memcpy(GlobalLock(rtfMem), rtf.c_str(), rtf.size() + 1);
  GlobalUnlock(rtfMem);
  std::memcpy(GlobalLock(textMem), text.c_str(), (text.size() + 1) * sizeof(Char));
  GlobalUnlock(textMem);
  bool rtfPlaced = false, textPlaced = false;
  if (OpenClipboard(FHandle)) {
    EmptyClipboard();
    if (!FPlainText) rtfPlaced = SetClipboardData(RtfClipboardFormat(), rtfMem) != nullptr;
    textPlaced = SetClipboardData(CF_UNICODETEXT, textMem) != nullptr;
    CloseClipboard();
  }
  if (!rtfPlaced) GlobalFree(rtfMem);
  if (!textPlaced) GlobalFree(textMem);
}

void TCustomRichEdit::PasteClipboard() {
  if (!OpenClipboard(FHandle)) return;
  std::string rtf;
  String text;
  if (HANDLE data = FPlainText ? nullptr : GetClipboardData(RtfClipboardFormat())) {
    if (auto* p = static_cast<const char*>(GlobalLock(data))) rtf.assign(p, strnlen(p, GlobalSize(data)));
    GlobalUnlock(data);
  }
  if (rtf.empty()) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (auto* p = static_cast<const Char*>(GlobalLock(data))) {
        std::size_t max = GlobalSize(data) / sizeof(Char);
        text.assign(p, std::find(p, p + max, Char(0)));
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  if (!rtf.empty()) ReplaceWith(TRichDocument::FromRtf(rtf, FDoc->Default));
  else if (!text.empty()) ReplaceWithText(text);
}

void TCustomRichEdit::RichKeyDown(UINT Key) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  Integer len = FDoc->Length();
  auto move = [&](Integer Pos) { SetRichSelection(shift ? FAnchor : Pos, Pos); };
  auto lineMove = [&](Integer Delta) {
    UpdateLayout();
    const auto& lines = FLayout->Lines();
    Integer line = FLayout->LineFromChar(FCaret) + Delta;
    if (line < 0) return move(0);
    if (line >= static_cast<Integer>(lines.size())) return move(len);
    TRect c = FLayout->CaretRect(FCaret);
    move(FLayout->CharFromPoint(c.left, lines[static_cast<std::size_t>(line)].Top));
  };
  switch (Key) {
    case VK_LEFT:
      if (!shift && GetSelLength() > 0) return move(GetSelStart());
      if (ctrl) {
        Integer p = FCaret;
        String t = FDoc->TextRange(0, p);
        while (p > 0 && !IsWordChar(t[static_cast<std::size_t>(p - 1)])) --p;
        while (p > 0 && IsWordChar(t[static_cast<std::size_t>(p - 1)])) --p;
        return move(p);
      }
      return move(std::max(0, FCaret - 1));
    case VK_RIGHT:
      if (!shift && GetSelLength() > 0) return move(GetSelStart() + GetSelLength());
      if (ctrl) {
        Integer p = FCaret;
        String t = FDoc->TextRange(p, len);
        std::size_t i = 0;
        while (i < t.size() && IsWordChar(t[i])) ++i;
        while (i < t.size() && !IsWordChar(t[i])) ++i;
        return move(p + static_cast<Integer>(i));
      }
      return move(std::min(len, FCaret + 1));
    case VK_UP: return lineMove(-1);
    case VK_DOWN: return lineMove(1);
    case VK_HOME:
      if (ctrl) return move(0);
      UpdateLayout();
      return move(FLayout->Lines()[static_cast<std::size_t>(FLayout->LineFromChar(FCaret))].Start);
    case VK_END:
      if (ctrl) return move(len);
      UpdateLayout();
      return move(FLayout->Lines()[static_cast<std::size_t>(FLayout->LineFromChar(FCaret))].End);
    case VK_DELETE:
      if (shift) {
        Perform(WM_CUT, 0, 0);
        return;
      }
      if (GetSelLength() == 0 && FCaret < len) SetRichSelection(FCaret + 1, FCaret, false);
      ReplaceWithText(String());
      return;
    case VK_INSERT:
      if (shift) Perform(WM_PASTE, 0, 0);
      else if (ctrl) Perform(WM_COPY, 0, 0);
      return;
    case 'B': if (ctrl) ToggleStyle(CFM_BOLD); return;
    case 'I': if (ctrl) ToggleStyle(CFM_ITALIC); return;
    case 'U': if (ctrl) ToggleStyle(CFM_UNDERLINE); return;
    default: return;
  }
}

void TCustomRichEdit::RichChar(Char Key) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (Key) {
    case 0x01: SetRichSelection(0, FDoc->Length()); return;   // Ctrl+A
    case 0x02: case 0x15: return;                            // Ctrl+B, Ctrl+U: styles (WM_KEYDOWN)
    case 0x03: Perform(WM_COPY, 0, 0); return;
    case 0x16: Perform(WM_PASTE, 0, 0); return;
    case 0x18: Perform(WM_CUT, 0, 0); return;
    case 0x1A: Perform(EM_UNDO, 0, 0); return;
    case 0x08:
      if (GetSelLength() == 0 && FCaret > 0) SetRichSelection(FCaret - 1, FCaret, false);
      ReplaceWithText(String());
      return;
    case 0x09:
      if (ctrl) return;   // Ctrl+I: italic
      ReplaceWithText(u"\t");
      return;
    case 0x0D: ReplaceWithText(u"\r"); return;
    default: break;
  }
  if (Key < 0x20) return;
  ReplaceWithText(String(1, Key));
}

void TCustomRichEdit::RichMouse(TMessage& Message) {
  TPoint p = MessagePos(Message);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      if (FHandle && GetFocus() != FHandle) SetFocus();
      {
        Integer pos = PosFromPoint(p);
        SetRichSelection((Message.WParam & MK_SHIFT) ? FAnchor : pos, pos);
      }
      FSelecting = true;
      SetCapture(FHandle);
      break;
    case WM_LBUTTONDBLCLK: {
      Integer pos = PosFromPoint(p);
      Integer para, offset;
      FDoc->Locate(pos, para, offset);
      const String& t = FDoc->Paragraph(para).Text;
      Integer s = offset, e = offset;
      while (s > 0 && IsWordChar(t[static_cast<std::size_t>(s - 1)])) --s;
      while (e < static_cast<Integer>(t.size()) && IsWordChar(t[static_cast<std::size_t>(e)])) ++e;
      Integer base = pos - offset;
      SetRichSelection(base + s, base + e);
      break;
    }
    case WM_MOUSEMOVE:
      if (FSelecting) SetRichSelection(FAnchor, PosFromPoint(p));
      break;
    case WM_LBUTTONUP:
      if (FSelecting) {
        FSelecting = false;
        if (GetCapture() == FHandle) ReleaseCapture();
      }
      break;
  }
}

void TCustomRichEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FDoc->Text(u"\r\n").size());
      return;
    case WM_GETTEXT: {
      String text = FDoc->Text(u"\r\n");
      auto* buf = reinterpret_cast<Char*>(Message.LParam);
      auto room = static_cast<std::size_t>(Message.WParam);
      if (!buf || room == 0) {
        Message.Result = 0;
        return;
      }
      std::size_t n = std::min(room - 1, text.size());
      std::memcpy(buf, text.data(), n * sizeof(Char));
      buf[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_SETTEXT: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      String text = s ? String(s) : String();
      std::string bytes = UTF8Encode(text);
      if (!FPlainText && IsRtf(bytes)) {
        SetRtf(bytes);
      } else {
        FDoc->Clear(FDoc->Default);
        FDoc->Insert(0, text, 0);
        FUndo.reset();
        FModified = false;
        FAnchor = FCaret = 0;
        FTopY = FLeftX = 0;
        Changed();
      }
      Message.Result = TRUE;
      return;
    }
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
      return;
    case WM_KEYDOWN: RichKeyDown(static_cast<UINT>(Message.WParam)); return;
    case WM_CHAR: RichChar(static_cast<Char>(Message.WParam)); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      RichMouse(Message);
      return;
    case WM_SIZE:
      TWinControl::DefaultHandler(Message);
      if (FEventMask & ENM_REQUESTRESIZE) Perform(EM_REQUESTRESIZE, 0, 0);
      ScrollToCaret();
      return;
    case WM_VSCROLL: {
      UpdateLayout();
      TRect r = FormatRect();
      Integer page = std::max<Integer>(1, r.bottom - r.top), line = 16;
      Integer pos = FTopY;
      switch (LOWORD(Message.WParam)) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: pos = HIWORD(Message.WParam); break;
        default: break;
      }
      FTopY = std::clamp<Integer>(pos, 0, std::max(0, FLayout->Height() - page));
      UpdateScrollBars();
      Invalidate();
      return;
    }
    case WM_CUT:
      if (GetSelLength() == 0) return;
      CopySelection();
      ReplaceWithText(String());
      return;
    case WM_COPY: CopySelection(); return;
    case WM_PASTE: PasteClipboard(); return;
    case WM_CLEAR: ReplaceWithText(String()); return;
    case WM_UNDO: case EM_UNDO:
      if (!FUndo || FReadOnly) return;
      {
        auto current = std::make_unique<TRichDocument>(*FDoc);
        Integer anchor = FAnchor, caret = FCaret;
        *FDoc = *FUndo;
        FUndo = std::move(current);
        FAnchor = FUndoAnchor;
        FCaret = FUndoCaret;
        FUndoAnchor = anchor;
        FUndoCaret = caret;
        Changed();
        Message.Result = TRUE;
      }
      return;
    case EM_CANUNDO: Message.Result = FUndo ? 1 : 0; return;
    case EM_EMPTYUNDOBUFFER: FUndo.reset(); return;
    case EM_GETSEL: {
      auto s = static_cast<DWORD>(GetSelStart()), e = static_cast<DWORD>(GetSelStart() + GetSelLength());
      if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = s;
      if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = e;
      Message.Result = static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(std::min<DWORD>(s, 0xFFFF)), static_cast<WORD>(std::min<DWORD>(e, 0xFFFF))));
      return;
    }
    case EM_SETSEL: {
      auto start = static_cast<Integer>(static_cast<LPARAM>(Message.WParam));
      auto end = static_cast<Integer>(Message.LParam);
      if (start < 0) return SetRichSelection(FCaret, FCaret);
      if (end < 0) end = FDoc->Length();
      SetRichSelection(start, end);
      return;
    }
    case EM_EXGETSEL:
      if (auto* r = reinterpret_cast<CHARRANGE*>(Message.LParam)) {
        r->cpMin = GetSelStart();
        r->cpMax = GetSelStart() + GetSelLength();
      }
      return;
    case EM_EXSETSEL:
      if (auto* r = reinterpret_cast<const CHARRANGE*>(Message.LParam)) {
        if (r->cpMin < 0) SetRichSelection(FCaret, FCaret);
        else SetRichSelection(r->cpMin, r->cpMax < 0 ? FDoc->Length() : r->cpMax);
      }
      Message.Result = GetSelStart() + GetSelLength();
      return;
    case EM_GETSELTEXT:
      if (auto* buf = reinterpret_cast<Char*>(Message.LParam)) {
        String t = FDoc->TextRange(GetSelStart(), GetSelStart() + GetSelLength());
        std::memcpy(buf, t.c_str(), (t.size() + 1) * sizeof(Char));
        Message.Result = static_cast<LRESULT>(t.size());
      }
      return;
    case EM_REPLACESEL: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      bool readOnly = FReadOnly;
      FReadOnly = false;
      ReplaceWithText(s ? String(s) : String());
      FReadOnly = readOnly;
      if (!Message.WParam) FUndo.reset();
      return;
    }
    case EM_LIMITTEXT: case EM_EXLIMITTEXT:
      FMaxLength = static_cast<Integer>(Message.Msg == EM_LIMITTEXT ? Message.WParam : static_cast<WPARAM>(Message.LParam));
      return;
    case EM_GETLIMITTEXT: Message.Result = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE; return;
    case EM_SETCHARFORMAT:
      if (auto* c = reinterpret_cast<const CHARFORMAT2W*>(Message.LParam); c && c->cbSize >= CHARFORMATW_SIZE) {
        CHARFORMAT2W f;
        std::memcpy(&f, c, std::min<std::size_t>(c->cbSize, sizeof(f)));
        SetCharFormat(Message.WParam, f);
        Message.Result = 1;
      }
      return;
    case EM_GETCHARFORMAT:
      if (auto* c = reinterpret_cast<CHARFORMAT2W*>(Message.LParam); c && c->cbSize >= CHARFORMATW_SIZE) {
        GetCharFormat(Message.WParam, *c);
        Message.Result = static_cast<LRESULT>(c->dwMask);
      }
      return;
    case EM_FORMATRANGE:
      Message.Result = FormatRange(Message.WParam != 0, reinterpret_cast<const FORMATRANGE*>(Message.LParam));
      return;
    case EM_SETEVENTMASK:
      Message.Result = static_cast<LRESULT>(FEventMask);
      FEventMask = static_cast<DWORD>(Message.LParam);
      return;
    case EM_GETEVENTMASK: Message.Result = static_cast<LRESULT>(FEventMask); return;
    case EM_REQUESTRESIZE: {
      // LParam 1: only when the size changed since the last request.
      UpdateLayout();
      TRect client = GetClientRect(), r = FormatRect();
      Integer extraW = (client.right - client.left) - (r.right - r.left);
      Integer extraH = (client.bottom - client.top) - (r.bottom - r.top);
      TSize need{FWordWrap ? client.right - client.left : FLayout->ContentWidth() + extraW, FLayout->Height() + extraH};
      if (Message.LParam == 1 && need.cx == FLastRequest.cx && need.cy == FLastRequest.cy) return;
      FLastRequest = need;
      REQRESIZE n;
      n.nmhdr.hwndFrom = FHandle;
      n.nmhdr.code = EN_REQUESTRESIZE;
      n.rc = RECT{client.left, client.top, client.left + need.cx, client.top + need.cy};
      if (FHandle && FParent && FParent->HandleAllocated()) SendMessage(FParent->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
      else RequestSize(n.rc);
      return;
    }
    case EM_SETBKGNDCOLOR: {
      Message.Result = static_cast<LRESULT>(ColorToRGB(FBackSystem ? GetColor() : FBackColor));
      FBackSystem = Message.WParam != 0;
      FBackColor = static_cast<TColor>(Message.LParam);
      Invalidate();
      return;
    }
    case EM_POSFROMCHAR: {
      auto* pt = reinterpret_cast<POINT*>(Message.WParam);
      auto index = static_cast<Integer>(Message.LParam);
      if (pt && index >= 0 && index <= FDoc->Length()) {
        TPoint p = PointFromPos(index);
        pt->x = p.x;
        pt->y = p.y;
      }
      return;
    }
    case EM_CHARFROMPOS:
      if (auto* pt = reinterpret_cast<const POINT*>(Message.LParam)) Message.Result = PosFromPoint(TPoint{pt->x, pt->y});
      return;
    case EM_LINEFROMCHAR: case EM_EXLINEFROMCHAR: {
      auto index = static_cast<Integer>(Message.Msg == EM_LINEFROMCHAR ? static_cast<LPARAM>(Message.WParam) : Message.LParam);
      UpdateLayout();
      Message.Result = FLayout->LineFromChar(index < 0 ? FCaret : index);
      return;
    }
    case EM_GETLINECOUNT: UpdateLayout(); Message.Result = static_cast<LRESULT>(FLayout->Lines().size()); return;
    case EM_LINEINDEX: {
      UpdateLayout();
      auto line = static_cast<Integer>(static_cast<LPARAM>(Message.WParam));
      if (line < 0) line = FLayout->LineFromChar(FCaret);
      const auto& lines = FLayout->Lines();
      Message.Result = line < static_cast<Integer>(lines.size()) ? lines[static_cast<std::size_t>(line)].Start : -1;
      return;
    }
    case EM_HIDESELECTION:
      FHideSelection = Message.WParam != 0;
      Invalidate();
      return;
    default: break;
  }
  // What remains is the edit's: focus, read-only, modified flag, cursor.
  TCustomEdit::DefaultHandler(Message);
}
