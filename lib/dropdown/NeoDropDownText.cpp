// The dropdown edit's text model: the value between Prefix and Suffix, the edit types, numbers
// read and written with the current FormatSettings (never the C locale), the modified flag and
// the selections the input rules rely on. Nothing here raises on what a user typed: a text that
// is no number reads 0.
#include <cmath>

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsNumberType(TDropDownEditType T) { return T == etNumeric || T == etFloat || T == etMoney; }

bool Contains(const String& S, Char C) { return S.find(C) != String::npos; }

// 1-based position of C in S, 0 when absent.
Integer PosOf(Char C, const String& S) {
  std::size_t i = S.find(C);
  return i == String::npos ? 0 : static_cast<Integer>(i) + 1;
}

String PrecisionFormat(SmallInt Precision, Char Type) {
  return u"%." + IntToStr(static_cast<Integer>(Precision)) + String(1, Type);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Text

String TNeoCustomDropDown::GetText() {
  String s = TCustomMaskEdit::GetText();
  if (!FPrefix.empty() && s.compare(0, FPrefix.size(), FPrefix) == 0) s.erase(0, FPrefix.size());
  if (!FSuffix.empty()) s.resize(s.size() > FSuffix.size() ? s.size() - FSuffix.size() : 0);
  return s;
}

void TNeoCustomDropDown::SetText(const String& Value) {
  String v = Value;
  if (v.empty() && (IsNumberType(FEditType) || FEditType == etHex)) v = u"0";
  if (FPrecision > 0 && !v.empty() && v != u"Error") {
    if (FEditType == etMoney) v = Format(PrecisionFormat(FPrecision, u'n'), {ParseFloat(v)});
    else if (FEditType == etFloat) v = Format(PrecisionFormat(FPrecision, u'f'), {ParseFloat(v)});
  }
  if (FEditType == etHex) v = AnsiUpperCase(v);
  SetEditText(RawText(v));
  // The text a cancelled popup restores is the one it opened with: a value shown while it is
  // open (a picker previewing its choice) does not replace it.
  if (!FDroppedDown) FOldText = v;
  SetModified(false);
}

String TNeoCustomDropDown::SelectedValueText() {
  const String text = GetText();
  const Integer from = std::max(0, ValueOffset(GetSelStart()));
  if (from >= static_cast<Integer>(text.size())) return String();
  return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(GetSelLength()));
}

// ---------------------------------------------------------------------------------------------
// Edit type and precision

void TNeoCustomDropDown::SetEditType(TDropDownEditType Value) {
  if (FEditType == Value) return;
  FEditType = Value;
  if (Value == etPassword) {
    SetPasswordChar(u'*');
    FCanUndo = false;
    RecreateWnd();
  } else {
    SetPasswordChar(0);
  }
  const Byte kind = NumberTextKind(GetText());
  switch (Value) {
    case etNumeric:
      if (kind != 0) SetIntValue(0);
      break;
    case etFloat: case etMoney:
      if (kind > 1) SetFloatValue(0);
      break;
    case etHex:
      if (kind != 0 && kind != 5) SetIntValue(0);
      break;
    default: break;
  }
  if (FDesignTime && Value == etFloat && FPrecision == 0) FPrecision = 2;
}

void TNeoCustomDropDown::SetPrecision(SmallInt Value) {
  if (Value == FPrecision) return;
  if (FEditType != etString && FEditType != etFloat && FEditType != etMoney && FEditType != etValidChars) return;
  FPrecision = Value;
  if (NumberTextKind(GetText()) > 1) SetFloatValue(0);
  else SetFloatValue(GetFloatValue());
}

// ---------------------------------------------------------------------------------------------
// Numbers

Double TNeoCustomDropDown::ParseFloat(const String& S) {
  String s = Contains(S, LocaleThousandSeparator()) ? StripThousandSeparators(S) : S;
  Double value = 0;
  if (!TryStrToFloat(s, value, FormatSettings) || !std::isfinite(value)) return 0;
  return value;
}

Double TNeoCustomDropDown::GetFloatValue() {
  const String text = GetText();
  switch (FEditType) {
    case etString: {
      Double value = 0;
      Integer code = 0;
      Val(text, value, code);
      return std::isfinite(value) ? value : 0;
    }
    case etNumeric: case etFloat: case etValidChars:
      if (text.empty() || text == u"Error" || text == u"-") return 0;
      return ParseFloat(text);
    case etMoney: {
      if (text.empty()) return 0;
      String s = StripThousandSeparators(text);
      if (!s.empty() && s.back() == LocaleDecimalSeparator()) s.pop_back();
      if (s.empty() || s == u"-") return 0;
      return ParseFloat(s);
    }
    case etHex: return text.empty() ? 0 : HexTextToInt(text);
    default: return 0;
  }
}

void TNeoCustomDropDown::SetFloatValue(Double Value) {
  const bool general = FPrecision < 0;
  switch (FEditType) {
    case etString: case etFloat: case etValidChars:
      SetText(general ? Format(u"%g", {Value}) : Format(PrecisionFormat(FPrecision, u'f'), {Value}));
      break;
    case etNumeric:
      SetText(general ? Format(u"%g", {Value}) : Format(PrecisionFormat(FPrecision, u'n'), {Value}));
      break;
    case etMoney:
      SetText(general ? Format(u"%g", {Value}) : Format(PrecisionFormat(FPrecision, u'f'), {Value}));
      AutoSeparators();
      break;
    case etHex:
      // IntToHex of Trunc(Value); a value beyond 64 bits has no such integer and shows 0.
      SetText(std::fabs(Value) < 9.2e18 ? IntToHex(static_cast<Int64>(std::trunc(Value)), 0) : String(u"0"));
      break;
    default: break;
  }
  SetModified(true);
}

void TNeoCustomDropDown::SetIntValue(Integer Value) {
  switch (FEditType) {
    case etNumeric: case etFloat: SetText(IntToStr(Value)); break;
    case etMoney:
      SetText(IntToStr(Value));
      AutoSeparators();
      break;
    case etHex: SetText(IntToHex(Value, 0)); break;
    default: break;
  }
  SetModified(true);
}

void TNeoCustomDropDown::SetModified(bool Value) {
  if (GetComponentState().Contains(csLoading) || !FEditorEnabled || GetReadOnly()) return;
  TCustomMaskEdit::SetModified(Value);
  FIsModified = Value;
}

// ---------------------------------------------------------------------------------------------
// Selections and positions

void TNeoCustomDropDown::SelectAll() {
  const auto length = static_cast<Integer>(GetText().size());
  SetSelStart(0);
  SetSelLength(length);
  if ((!FPrefix.empty() && GetSelStart() < PrefixLength()) || !FSuffix.empty()) {
    SetSelStart(PrefixLength());
    SetSelLength(length);
  }
}

void TNeoCustomDropDown::SelectAfterDecimal() {
  const Integer p = PosOf(LocaleDecimalSeparator(), GetText());
  SetSelStart(p == 0 ? PrefixLength() : RawOffset(p));
}

void TNeoCustomDropDown::SelectBeforeDecimal() {
  const Integer p = PosOf(LocaleDecimalSeparator(), GetText());
  SetSelStart(p == 0 ? PrefixLength() : RawOffset(p - 1));
}

Integer TNeoCustomDropDown::IntegerPartEnd(const String& S) {
  const String s = StripThousandSeparators(S);
  const Integer p = PosOf(LocaleDecimalSeparator(), s);
  Integer end = p > 0 ? p : static_cast<Integer>(s.size()) + 1;
  if (FSigned && IsNumberType(FEditType) && Contains(s, u'-')) --end;
  return end;
}

Integer TNeoCustomDropDown::DecimalPosition() {
  const String text = GetText();
  const Integer p = PosOf(LocaleDecimalSeparator(), text);
  if (p > 0) return RawOffset(p);
  return PrefixLength() + static_cast<Integer>(text.size() + FSuffix.size()) + 1;
}

bool TNeoCustomDropDown::IsSignKey(Char C) const { return FSigned && IsNumberType(FEditType) && C == u'-'; }

bool TNeoCustomDropDown::DecimalsFull() {
  const String text = GetText();
  const Integer k = ValueOffset(GetSelStart());
  const Integer p = PosOf(LocaleDecimalSeparator(), text);
  const auto length = static_cast<Integer>(text.size());
  if (FPrecision <= 0 || length - k > FPrecision || p == 0) return false;
  return k >= p && length - p >= FPrecision;
}

bool TNeoCustomDropDown::SeparatorTooClose() {
  String rest = GetText();
  const Char ts = LocaleThousandSeparator();
  if (!Contains(rest, ts)) return false;
  Integer k = ValueOffset(GetSelStart());
  auto nearest = static_cast<Integer>(rest.size());
  for (Integer q = PosOf(ts, rest); q > 0; q = PosOf(ts, rest)) {
    const Integer distance = std::abs(q - k);
    nearest = std::min(nearest, distance);
    if (distance < 3) return true;
    if (q < k) k -= q;
    rest.erase(0, static_cast<std::size_t>(q));
  }
  return nearest > 3;
}

void TNeoCustomDropDown::RewriteEditText(const String& Raw) {
  // The edit reports the change at once (EN_CHANGE is sent, not posted); the flag never outlives
  // the rewrite, so a rewrite that changes nothing swallows no later notification.
  FBlockChange = true;
  SetEditText(Raw);
  FBlockChange = false;
}

void TNeoCustomDropDown::AutoSeparators() {
  const String text = GetText();
  if (text.empty()) return;
  String value = text;
  const bool negative = value[0] == u'-';
  if (negative) value.erase(0, 1);
  const Integer p = PosOf(LocaleDecimalSeparator(), value);
  const String fraction = p > 0 ? value.substr(static_cast<std::size_t>(p - 1), 255) : String();
  const Double whole = std::trunc(std::fabs(GetFloatValue()));
  String integer = Format(FAutoThousandSeparator ? u"%n" : u"%f", {whole});
  if (const Integer ds = PosOf(LocaleDecimalSeparator(), integer); ds > 0) integer.resize(static_cast<std::size_t>(ds - 1));
  const String raw = RawText((negative ? u"-" : u"") + integer + fraction);
  const Integer selStart = GetSelStart();
  const auto oldLength = static_cast<Integer>(text.size());
  if (raw != TCustomMaskEdit::GetText()) RewriteEditText(raw);
  const auto newLength = static_cast<Integer>(GetText().size());
  SetSelStart(std::max(0, selStart + newLength - oldLength));
  SetSelLength(0);
}

void TNeoCustomDropDown::ToggleSign() {
  const Integer p = GetSelStart();
  String text = GetText();
  if (!Contains(text, u'-')) {
    SetEditText(RawText(u"-" + text));
    SetSelStart(p + 1);
  } else {
    text.erase(0, 1);
    SetEditText(RawText(text));
    SetSelStart(p >= 1 && p > PrefixLength() ? p - 1 : PrefixLength());
  }
  SetSelLength(0);
  SetModified(true);
}
