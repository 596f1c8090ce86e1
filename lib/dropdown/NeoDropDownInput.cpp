// The dropdown edit's input: typed characters filtered by the edit type, key strokes with the
// prefix and suffix fences, the clipboard with its events, change notifications, focus and mouse
// selection. Refused input is dropped silently. "Passed on" below means the inherited handling
// (OnKeyPress, then the edit's own insertion) gets the message.
#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

namespace {

constexpr Char kBackspace = 8, kTab = 9, kLineFeed = 10, kEnter = 13, kEscape = 27;

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool IsHexLetter(Char C) { return (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f'); }
bool IsAsciiLetter(Char C) { return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z'); }
bool IsEditKey(Char C) { return C == kBackspace || C == kTab || C == kEnter; }
bool Contains(const String& S, Char C) { return S.find(C) != String::npos; }
bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }

bool AllOf(const String& S, bool (*Accept)(Char)) {
  for (Char c : S)
    if (!Accept(c)) return false;
  return true;
}
bool IsAsciiLetterOrDigit(Char C) { return IsAsciiLetter(C) || IsDigit(C); }

bool KeyPreviewOf(TControl* Control) {
  TCustomForm* form = GetParentForm(Control);
  return form && form->GetKeyPreview();
}

void PostKey(TWinControl* Target, UINT Message, WPARAM Key) {
  if (Target && Target->HandleAllocated()) PostMessage(Target->GetHandle(), Message, Key, 0);
}

// The locale's first character of the upper or lower case of C.
Char CaseOf(Char C, bool Upper) {
  const String s = Upper ? AnsiUpperCase(String(1, C)) : AnsiLowerCase(String(1, C));
  return s.empty() ? C : s[0];
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Typed characters

void TNeoCustomDropDown::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key == kEnter) Key = 0;
}

void TNeoCustomDropDown::WMChar(TMessage& Message) {
  Char c = static_cast<Char>(Message.WParam);
  const auto passOn = [&] {
    Message.WParam = c;
    inherited::Dispatch(Message);
  };
  // After a character went in, the own flag follows the edit's.
  const auto passOnModified = [&] {
    passOn();
    if (TCustomMaskEdit::GetModified()) SetModified(true);
  };
  if (!FEditorEnabled) return;
  const bool ctrl = ControlDown();
  const String text = GetText();
  const auto textLength = static_cast<Integer>(text.size());
  const Integer selStart = GetSelStart(), selLength = GetSelLength();
  const Char ds = LocaleDecimalSeparator(), ts = LocaleThousandSeparator();
  TWinControl* parent = GetParent();

  if (c == kEnter && ctrl) {
    Message.Result = 1;
    return;
  }
  if (c == kEnter) {
    Char copy = kEnter;
    if (OnKeyPress) OnKeyPress(this, copy);
    c = 0;
    if (!FDefaultHandling && parent) {
      PostKey(parent, WM_KEYDOWN, VK_RETURN);
      if (KeyPreviewOf(this)) passOn();
      else PostKey(parent, WM_KEYUP, VK_RETURN);
    }
    return;
  }
  if (c == kEscape && !FDefaultHandling && parent) {
    if (KeyPreviewOf(this)) {
      passOn();
      return;
    }
    PostKey(parent, WM_KEYDOWN, VK_ESCAPE);
    PostKey(parent, WM_KEYUP, VK_ESCAPE);
  }
  // Esc never changes the text: with CanUndo its key stroke has just cleared Modified, which its
  // character must not set again.
  if (c == kEscape) {
    passOn();
    return;
  }
  if (ctrl && (c == 3 || c == 22 || c == 24)) {
    passOn();
    return;
  }
  // Ctrl+A selected the value on its key stroke already; the edit's own select-all would take the
  // prefix and suffix in.
  if (ctrl && c == 1) return;
  if (FExcelStyleDecimalSeparator && (c == u'.' || c == u',') && (Message.LParam & 0x400000) != 0) c = ds;
  if (c == kBackspace && !FPrefix.empty() && selStart <= PrefixLength() && selLength == 0) return;
  if (FLengthLimit > 0 && IntegerPartEnd(text) > FLengthLimit && selLength == 0 && selStart < DecimalPosition() &&
      c != kBackspace && c != ds && !IsSignKey(c))
    return;
  if (c == kBackspace) {
    String remainder = text;
    const Integer from = ValueOffset(selStart);
    if (selLength > 0) {
      if (from >= 0 && from < textLength) remainder.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(selLength));
    } else if (from >= 1 && from <= textLength) {
      remainder.erase(static_cast<std::size_t>(from - 1), 1);
    }
    passOnModified();
    if (GetText().empty() && !remainder.empty()) Change();
    return;
  }
  const bool numberType = FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney;
  if ((ctrl && c == kLineFeed) || (c == u'-' && numberType && !FSigned)) return;

  // The separator, sign and decimal rules etFloat and etMoney share; false when C is dropped.
  const auto floatRules = [&](bool DecimalRule) {
    if (DecimalRule && c == ds && !Contains(SelectedValueText(), ds)) {
      if (Contains(text, ds) || FPrecision == 0) {
        if (FPrecision > 0) SelectAfterDecimal();
        return false;
      }
    }
    if (DecimalRule && c == u',' && Contains(text, u',') && !Contains(SelectedValueText(), u',') && ts != u',')
      return false;
    if ((c == ts || c == ds) && SeparatorTooClose()) return false;
    if (DecimalsFull() && (IsDigit(c) || c == ds) && selLength == 0) {
      const Integer k = ValueOffset(selStart);
      const auto dsPos = static_cast<Integer>(text.find(ds)) + 1;
      if (FPrecision >= 1 && k >= dsPos && IsDigit(c) && k < textLength) SetSelLength(1);
      else return false;
    }
    if (ValueOffset(selStart) <= 0 && text.empty() && c == ds) {
      SetEditText(RawText(u"0" + String(1, ds)));
      SetSelStart(RawOffset(2));
      SetModified(true);
      return false;
    }
    if (c == u'-' && selLength == 0) {
      const SmallInt precision = FPrecision;
      FPrecision = 0;
      ToggleSign();
      FPrecision = precision;
      return false;
    }
    return true;
  };

  switch (FEditType) {
    case etString: case etPassword:
      SetModified(true);
      passOnModified();
      return;
    case etNumeric:
      if (c == u'-') {
        if (textLength > 0 && selLength == textLength) {
          SetEditText(RawText(u"-"));
          SetSelStart(RawOffset(1));
          SetModified(true);
        } else {
          ToggleSign();
        }
        return;
      }
      if (IsEditKey(c) || IsDigit(c) || ctrl) passOnModified();
      return;
    case etFloat: {
      if (c == u',' && ds != u',' && ts != u',') return;
      if (c == u'.' && ds != u'.' && ts != u'.') return;
      if (!(IsEditKey(c) || c == u',' || c == u'-' || c == u'.' || IsDigit(c))) return;
      if (floatRules(true)) passOnModified();
      return;
    }
    case etUppercase: case etLowerCase:
      c = CaseOf(c, FEditType == etUppercase);
      passOnModified();
      return;
    case etMixedCase:
      passOn();
      RewriteEditText(RawText(ProperCaseNames(GetText())));
      SetSelStart(selStart + 1);
      if (TCustomMaskEdit::GetModified()) SetModified(true);
      return;
    case etMoney: {
      if (c == ds && (Contains(text, ds) || FPrecision == 0)) {
        if (FPrecision > 0 && textLength > 0 && selLength == textLength) SetText(u"0,0");
        if (FPrecision > 0) SelectAfterDecimal();
        return;
      }
      if (!(IsEditKey(c) || c == u'-' || IsDigit(c) || c == ds)) return;
      if (!floatRules(false)) return;
      passOnModified();
      const String now = GetText();
      if (now.empty() || now == u"-" || c == ds) return;
      AutoSeparators();
      return;
    }
    case etRange:
      if (!(IsEditKey(c) || c == u',' || c == u'-' || c == u';' || IsDigit(c))) return;
      SetModified(true);
      if (IsRangeSeparator(c)) {
        const String raw = TCustomMaskEdit::GetText();
        const auto at = static_cast<std::size_t>(selStart);
        if (selStart <= PrefixLength() || (at >= 1 && at <= raw.size() && IsRangeSeparator(raw[at - 1])) ||
            (at < raw.size() && IsRangeSeparator(raw[at])))
          return;
      }
      passOnModified();
      return;
    case etHex:
      if (!(IsEditKey(c) || c == u'-' || IsDigit(c) || IsHexLetter(c))) return;
      SetModified(true);
      passOnModified();
      return;
    case etAlphaNumeric:
      if (!(IsEditKey(c) || IsAsciiLetterOrDigit(c))) return;
      SetModified(true);
      passOnModified();
      return;
    case etValidChars:
      if (!(c == kBackspace || (c != 0 && Contains(FValidChars, c)))) return;
      SetModified(true);
      passOnModified();
      return;
  }
}

// ---------------------------------------------------------------------------------------------
// Key strokes

void TNeoCustomDropDown::WMKeyDown(TMessage& Message) {
  if (FDesignTime) return;
  const auto key = static_cast<Word>(Message.WParam);
  if (!FEditorEnabled) {
    if (!GetEnabled()) return;
    // A pick-only edit: the popup keys, then only navigation reaches the edit.
    if (!GetReadOnly()) {
      if (key == VK_RETURN && FReturnIsTab) {
        if (IsWindowVisible(GetHandle())) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
      } else {
        PopupKey(key);
      }
    }
    switch (key) {
      case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
      case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: inherited::Dispatch(Message); break;
      default: break;
    }
    return;
  }
  const bool ctrl = ControlDown(), shift = ShiftDown();
  const auto textLength = static_cast<Integer>(GetText().size());
  const auto selectionEnd = [this] { return static_cast<Integer>(HIWORD(static_cast<DWORD>(Perform(EM_GETSEL, 0, 0)))); };
  if (ctrl && key == 'A') SelectAll();
  if (ctrl && (key == VK_TAB || key == VK_RETURN)) {
    inherited::Dispatch(Message);
    return;
  }
  Word k = key;
  if (k == VK_RETURN && FReturnIsTab) {
    k = VK_TAB;
    Message.WParam = VK_TAB;
    if (IsWindowVisible(GetHandle())) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (k == VK_RIGHT && !FSuffix.empty() && selectionEnd() >= textLength) return;
  if (k == VK_DELETE && !FSuffix.empty()) {
    if (selectionEnd() >= textLength && GetSelLength() == 0) return;
    SetModified(true);
  }
  if (k == VK_LEFT && !FPrefix.empty() && PrefixLength() >= selectionEnd()) return;
  if (k == VK_END && !FSuffix.empty()) {
    if (shift) SetSelLength(textLength - GetSelStart());
    else SetSelStart(textLength);
    return;
  }
  if (k == VK_HOME && !FPrefix.empty()) {
    if (shift) Perform(EM_SETSEL, static_cast<WPARAM>(PrefixLength() + textLength), PrefixLength());
    else SetSelStart(PrefixLength());
    return;
  }
  if (k == VK_BACK && !FPrefix.empty()) {
    if (GetSelStart() <= PrefixLength() + 1) return;
    SetModified(true);
  }
  if (k == VK_DELETE && GetSelStart() >= PrefixLength()) {
    String remainder = GetText();
    const Integer from = ValueOffset(GetSelStart());
    const Integer count = GetSelLength() > 0 ? GetSelLength() : 1;
    if (from < static_cast<Integer>(remainder.size())) remainder.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
    if (FLengthLimit > 0 && IntegerPartEnd(remainder) - 1 > FLengthLimit) return;
    SetModified(true);
  }
  inherited::Dispatch(Message);
  if (k == VK_DELETE && FEditType == etMoney) AutoSeparators();
  if (!FPrefix.empty() && GetSelStart() < PrefixLength()) SetSelStart(PrefixLength());
  PopupKey(k);
}

void TNeoCustomDropDown::CMWantSpecialKey(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (!form) return;
  const bool keyPreview = form->GetKeyPreview();
  const auto key = static_cast<Word>(Message.WParam);
  TWinControl* parent = GetParent();
  if (key == VK_ESCAPE && FCanUndo && !keyPreview) {
    SelectAll();
    SetModified(false);
    Message.WParam = 0;
    Message.Result = 0;
    if (parent && FDefaultHandling) {
      PostKey(parent, WM_KEYDOWN, VK_ESCAPE);
      PostKey(parent, WM_KEYUP, VK_ESCAPE);
    }
  }
  if (key == VK_RETURN && FDefaultHandling && !keyPreview && parent && parent->Focused()) {
    PostKey(parent, WM_KEYDOWN, VK_RETURN);
    PostKey(parent, WM_KEYUP, VK_RETURN);
  }
  inherited::Dispatch(Message);
  if (key == VK_ESCAPE && FDroppedDown) Message.Result = 1;
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TNeoCustomDropDown::WMCut(TMessage& Message) {
  if (!FEditorEnabled || GetReadOnly()) return;
  FBlockCopy = true;
  bool allow = true;
  if (OnClipboardCut) OnClipboardCut(this, SelectedValueText(), allow);
  if (allow) inherited::Dispatch(Message);
  FBlockCopy = false;
}

void TNeoCustomDropDown::WMCopy(TMessage& Message) {
  bool allow = true;
  if (OnClipboardCopy && !FBlockCopy) OnClipboardCopy(this, SelectedValueText(), allow);
  FBlockCopy = false;
  if (allow) inherited::Dispatch(Message);
}

void TNeoCustomDropDown::WMPaste(TMessage&) {
  if (GetReadOnly() || !IsClipboardFormatAvailable(CF_TEXT)) return;
  const String clip = ClipboardText();
  const String text = GetText();
  const Integer selStart = GetSelStart(), selLength = GetSelLength();
  String pasted = text;
  const Integer from = std::clamp<Integer>(ValueOffset(selStart), 0, static_cast<Integer>(text.size()));
  pasted.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(selLength), clip);
  const auto clipLength = static_cast<Integer>(clip.size());
  const Integer caretStart = selLength > 0 ? selStart : selStart + clipLength;
  const Integer caretLength = selLength > 0 ? clipLength : 0;
  bool allow = true;
  if (OnClipboardPaste) OnClipboardPaste(this, pasted, allow);
  if (!allow) return;
  if (GetMaxLength() > 0 && clipLength + static_cast<Integer>(text.size()) - selLength > GetMaxLength()) return;
  const Byte kind = NumberTextKind(pasted);
  const bool hasMinus = Contains(pasted, u'-');
  bool accepted = true;
  switch (FEditType) {
    case etString: case etPassword: SetText(pasted); break;
    case etNumeric:
      accepted = kind == 0 && (FSigned || !hasMinus);
      if (accepted) {
        SetText(pasted);
        SetModified(true);
      }
      break;
    case etFloat: case etMoney:
      accepted = (kind == 0 || kind == 1) && !(FPrecision == 0 && Contains(clip, LocaleDecimalSeparator())) &&
                 (FSigned || !hasMinus);
      if (accepted) {
        SetText(pasted);
        SetFloatValue(GetFloatValue());
        SetModified(true);
      }
      break;
    case etUppercase: SetText(AnsiUpperCase(pasted)); break;
    case etLowerCase: SetText(AnsiLowerCase(pasted)); break;
    case etMixedCase: SetText(ProperCaseNames(pasted)); break;
    case etAlphaNumeric: case etValidChars:
      accepted = FEditType == etAlphaNumeric ? AllOf(pasted, IsAsciiLetterOrDigit)
                                             : std::all_of(pasted.begin(), pasted.end(),
                                                           [this](Char C) { return Contains(FValidChars, C); });
      if (accepted) {
        SetText(pasted);
        SetModified(true);
      }
      break;
    case etRange: case etHex: accepted = false; break;
  }
  // A refused paste leaves the text and the selection as they were.
  if (!accepted) return;
  if (FEditType == etMoney && GetText().size() > 3) {
    SelectAll();
  } else {
    SetSelStart(caretStart);
    SetSelLength(caretLength);
  }
  if (FEditType == etString || (FEditType >= etUppercase && FEditType <= etPassword)) SetModified(true);
}

// ---------------------------------------------------------------------------------------------
// Focus and mouse selection

void TNeoCustomDropDown::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (GetComponentState().Contains(csLoading)) return;
  if (!FEditorEnabled) {
    HideCaret(GetHandle());
    Invalidate();
    return;
  }
  if (GetAutoSelect()) SelectAll();
  else if (FEditType == etFloat || FEditType == etMoney) SelectBeforeDecimal();
}

void TNeoCustomDropDown::WMKillFocus(TMessage& Message) {
  if (!GetComponentState().Contains(csLoading)) {
    const bool empty = GetText().empty();
    const bool floatType = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && floatType && (!empty || !FAllowNumericNullValue)) {
      const bool modified = FIsModified, editModified = TCustomMaskEdit::GetModified();
      SetFloatValue(GetFloatValue());
      FIsModified = modified;
      TCustomMaskEdit::SetModified(editModified);
    } else if (empty && !FAllowNumericNullValue) {
      if (FEditType == etNumeric) SetText(IntToStr(GetMinValue()));
      else if (floatType) SetFloatValue(0);
    }
  }
  inherited::Dispatch(Message);
  if ((!FEmptyText.empty() && GetText().empty()) || !FEditorEnabled) Invalidate();
}

void TNeoCustomDropDown::WMLButtonDown(TMessage& Message) {
  if (FEditorEnabled) {
    const auto index = static_cast<Integer>(LOWORD(static_cast<DWORD>(Perform(EM_CHARFROMPOS, 0, Message.LParam))));
    const Integer s = GetSelStart(), l = GetSelLength();
    if (Focused() && l > 0 && s <= index && index <= s + l) {
      FButtonDown = true;
      return;
    }
  }
  inherited::Dispatch(Message);
  if (!FEditorEnabled) DropButtonClick();
}

void TNeoCustomDropDown::WMLButtonUp(TMessage& Message) {
  if (!FEditorEnabled || GetReadOnly()) DrawFocusRect();
  if (FButtonDown) {
    SetSelStart(static_cast<Integer>(LOWORD(static_cast<DWORD>(Perform(EM_CHARFROMPOS, 0, Message.LParam)))));
    SetSelLength(0);
  }
  FButtonDown = false;
  inherited::Dispatch(Message);
  if (!FEditorEnabled) return;
  const auto textLength = static_cast<Integer>(GetText().size());
  if (!FPrefix.empty() && GetSelStart() < PrefixLength()) {
    SetSelStart(PrefixLength());
    SetSelLength(textLength);
  }
  if (!FSuffix.empty()) {
    if (GetSelStart() > textLength) {
      SetSelStart(textLength);
    } else if (GetSelStart() + GetSelLength() > textLength) {
      SetSelLength(textLength - GetSelStart());
    }
  }
}
