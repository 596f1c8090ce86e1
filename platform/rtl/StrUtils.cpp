#include "platform/rtl/StrUtils.h"
#include "platform/rtl/RtlInternal.h"

#include "platform/rtl/UnicodeCase.h"

Integer PosEx(StringView SubStr, StringView S, Integer Offset) { return Pos(SubStr, S, Offset); }

bool StartsStr(StringView SubText, StringView Text) { return Text.starts_with(SubText); }
bool EndsStr(StringView SubText, StringView Text) { return Text.ends_with(SubText); }
bool ContainsStr(StringView Text, StringView SubText) { return Text.find(SubText) != StringView::npos; }

bool StartsText(StringView SubText, StringView Text) {
  return SubText.size() <= Text.size() && AnsiSameText(SubText, Text.substr(0, SubText.size()));
}

bool EndsText(StringView SubText, StringView Text) {
  return SubText.size() <= Text.size() && AnsiSameText(SubText, Text.substr(Text.size() - SubText.size()));
}

bool ContainsText(StringView Text, StringView SubText) {
  return AnsiUpperCase(Text).find(AnsiUpperCase(SubText)) != String::npos;
}

String LeftStr(StringView Text, Integer Count) { return Copy(Text, 1, Count); }

String RightStr(StringView Text, Integer Count) {
  if (Count <= 0) return String();
  const std::size_t N = std::min<std::size_t>(static_cast<std::size_t>(Count), Text.size());
  return String(Text.substr(Text.size() - N));
}

String MidStr(StringView Text, Integer Start, Integer Count) { return Copy(Text, Start, Count); }

String DupeString(StringView Text, Integer Count) {
  String R;
  if (Count <= 0) return R;
  R.reserve(Text.size() * static_cast<std::size_t>(Count));
  for (Integer I = 0; I < Count; ++I) R.append(Text);
  return R;
}

String ReverseString(StringView Text) {
  String R;
  R.reserve(Text.size());
  for (std::size_t I = Text.size(); I > 0;) {
    std::size_t Start = I - 1;
    if (Start > 0 && Text[Start] >= 0xDC00 && Text[Start] <= 0xDFFF && Text[Start - 1] >= 0xD800 &&
        Text[Start - 1] <= 0xDBFF)
      --Start;   // keep a surrogate pair in order
    R.append(Text.substr(Start, I - Start));
    I = Start;
  }
  return R;
}

String ReplaceStr(StringView Text, StringView From, StringView To) {
  return StringReplace(Text, From, To, {rfReplaceAll});
}

String ReplaceText(StringView Text, StringView From, StringView To) {
  return StringReplace(Text, From, To, {rfReplaceAll, rfIgnoreCase});
}

String IfThen(bool Value, StringView True, StringView False) { return String(Value ? True : False); }

// ---------------------------------------------------------------------------------------------------
// Natural order

namespace {

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

int Sign(Integer V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }

}  // namespace

int StrCmpLogicalW(StringView A, StringView B) {
  int Secondary = 0;   // accents, then leading zeros: decide only when all else is equal
  int Zeros = 0;
  std::size_t I = 0, J = 0;
  while (I < A.size() && J < B.size()) {
    if (IsDigit(A[I]) && IsDigit(B[J])) {
      // Skip leading zeros, then the longer run of significant digits is larger; equal lengths
      // compare digit by digit.
      std::size_t ZA = I, ZB = J;
      while (ZA < A.size() && A[ZA] == u'0') ++ZA;
      while (ZB < B.size() && B[ZB] == u'0') ++ZB;
      std::size_t EA = ZA, EB = ZB;
      while (EA < A.size() && IsDigit(A[EA])) ++EA;
      while (EB < B.size() && IsDigit(B[EB])) ++EB;
      if (EA - ZA != EB - ZB) return EA - ZA < EB - ZB ? -1 : 1;
      for (std::size_t K = 0; K < EA - ZA; ++K)
        if (A[ZA + K] != B[ZB + K]) return A[ZA + K] < B[ZB + K] ? -1 : 1;
      if (Zeros == 0 && ZA - I != ZB - J) Zeros = ZA - I > ZB - J ? -1 : 1;
      I = EA;
      J = EB;
      continue;
    }
    const char32_t CA = NextCodePoint(A, I), CB = NextCodePoint(B, J);
    if (CA == CB) continue;
    if (const int Primary = CompareLetters(CA, CB, Secondary)) return Primary;
  }
  if (I < A.size()) return 1;
  if (J < B.size()) return -1;
  if (Secondary != 0) return Secondary;
  return Sign(Zeros);
}

int StrCmpLogicalW(const Char* S1, const Char* S2) {
  return StrCmpLogicalW(S1 ? StringView(S1) : StringView(), S2 ? StringView(S2) : StringView());
}
