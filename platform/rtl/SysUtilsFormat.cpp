// Format: format strings with "%" conversions over a list of TVarRec arguments.
#include "platform/rtl/RtlInternal.h"
#include "platform/rtl/SysUtils.h"

namespace {

class TFormatter {
public:
  TFormatter(StringView Fmt, const TVarRec* Args, std::size_t Count, const TFormatSettings& FS)
      : FFmt(Fmt), FArgs(Args), FCount(Count), FSettings(FS) {}

  String Run() {
    String Out;
    Out.reserve(FFmt.size() + 16);
    std::size_t I = 0;
    while (I < FFmt.size()) {
      const auto P = FFmt.find(u'%', I);
      if (P == StringView::npos) {
        Out.append(FFmt.substr(I));
        break;
      }
      Out.append(FFmt.substr(I, P - I));
      I = P + 1;
      if (I < FFmt.size() && FFmt[I] == u'%') {
        Out += u'%';
        ++I;
        continue;
      }
      I = Conversion(I, Out);
    }
    return Out;
  }

private:
  StringView FFmt;
  const TVarRec* FArgs;
  std::size_t FCount;
  const TFormatSettings& FSettings;
  std::size_t FNext = 0;   // index of the next argument

  [[noreturn]] void Invalid() const {
    throw EConvertError(u"Format '" + String(FFmt) + u"' invalid or incompatible with argument");
  }

  const TVarRec& NextArg() {
    if (FNext >= FCount) throw EConvertError(u"No argument for format '" + String(FFmt) + u"'");
    return FArgs[FNext++];
  }

  // Widths, precisions and argument indexes beyond this are refused rather than allocated.
  static constexpr Int64 MaxNumber = 1 << 20;

  // Reads digits or '*' at I; -1 when there is neither. A '*' argument may be negative (a
  // left-justifying width), but never beyond MaxNumber either way.
  Int64 Number(std::size_t& I) {
    if (I < FFmt.size() && FFmt[I] == u'*') {
      ++I;
      const TVarRec& A = NextArg();
      if (A.VType != vtInteger && A.VType != vtInt64) Invalid();
      if (A.VInt64 > MaxNumber || A.VInt64 < -MaxNumber) Invalid();
      return A.VInt64;
    }
    if (I >= FFmt.size() || FFmt[I] < u'0' || FFmt[I] > u'9') return -1;
    Int64 N = 0;
    while (I < FFmt.size() && FFmt[I] >= u'0' && FFmt[I] <= u'9') {
      N = N * 10 + (FFmt[I++] - u'0');
      if (N > MaxNumber) Invalid();
    }
    return N;
  }

  // One conversion after '%'; returns the index past it.
  std::size_t Conversion(std::size_t I, String& Out) {
    Int64 N = Number(I);
    if (I < FFmt.size() && FFmt[I] == u':') {   // argument index
      if (N < 0) N = 0;
      FNext = static_cast<std::size_t>(N);
      ++I;
      N = -1;
    }
    bool Left = false;
    if (N < 0 && I < FFmt.size() && FFmt[I] == u'-') {
      Left = true;
      ++I;
    }
    Int64 Width = N >= 0 ? N : Number(I);
    if (Width < -1) {   // negative width from '*' means left-justified
      Left = true;
      Width = -Width;
    }
    Int64 Prec = -1;
    if (I < FFmt.size() && FFmt[I] == u'.') {
      ++I;
      Prec = Number(I);
      if (Prec < 0) Prec = 0;
    }
    if (I >= FFmt.size()) Invalid();
    const Char Type = FFmt[I++];
    String Text = Convert(Type, Prec);
    if (Width > static_cast<Int64>(Text.size())) {
      const String Pad(static_cast<std::size_t>(Width) - Text.size(), u' ');
      Text = Left ? Text + Pad : Pad + Text;
    }
    Out += Text;
    return I;
  }

  static String PadDigits(String Digits, Int64 Prec) {
    if (Prec > static_cast<Int64>(Digits.size())) Digits.insert(0, static_cast<std::size_t>(Prec) - Digits.size(), u'0');
    return Digits;
  }

  String Convert(Char Type, Int64 Prec) {
    switch (Type) {
      case u'd': case u'D': case u'u': case u'U': {
        const TVarRec& A = NextArg();
        const bool Unsigned = Type == u'u' || Type == u'U';
        UInt64 Magnitude;
        bool Negative = false;
        if (A.VType == vtInteger) {
          if (Unsigned) Magnitude = static_cast<Cardinal>(A.VInt64);
          else {
            Negative = A.VInt64 < 0;
            Magnitude = Negative ? UInt64(0) - static_cast<UInt64>(A.VInt64) : static_cast<UInt64>(A.VInt64);
          }
        } else if (A.VType == vtInt64) {
          Negative = !Unsigned && A.VInt64 < 0;
          Magnitude = Negative ? UInt64(0) - static_cast<UInt64>(A.VInt64) : static_cast<UInt64>(A.VInt64);
        } else if (A.VType == vtUInt64) {
          Magnitude = A.VUInt64;
        } else {
          Invalid();
        }
        const String Digits = PadDigits(UIntToStr(Magnitude), Prec);
        return Negative ? u"-" + Digits : Digits;
      }
      case u'x': case u'X': {
        const TVarRec& A = NextArg();
        if (A.VType == vtInteger) return PadDigits(IntToHex(static_cast<Integer>(A.VInt64), 0), Prec);
        if (A.VType == vtInt64 || A.VType == vtUInt64) return PadDigits(IntToHex(A.VUInt64, 0), Prec);
        Invalid();
      }
      case u'p': case u'P': {
        const TVarRec& A = NextArg();
        if (A.VType != vtPointer) Invalid();
        return IntToHex(static_cast<UInt64>(reinterpret_cast<std::uintptr_t>(A.VPointer)),
                        static_cast<Integer>(sizeof(void*) * 2));
      }
      case u's': case u'S': {
        const TVarRec& A = NextArg();
        String Text;
        if (A.VType == vtString) Text = String(A.VString);
        else if (A.VType == vtChar) Text = String(1, A.VChar);
        else Invalid();
        if (Prec >= 0 && Prec < static_cast<Int64>(Text.size())) Text.resize(static_cast<std::size_t>(Prec));
        return Text;
      }
      case u'e': case u'E': return Float(ffExponent, Prec < 0 ? 15 : Prec, 3);
      case u'f': case u'F': return Float(ffFixed, 18, Prec < 0 ? 2 : Prec);
      case u'g': case u'G': return Float(ffGeneral, Prec < 0 ? 15 : Prec, 3);
      case u'n': case u'N': return Float(ffNumber, 18, Prec < 0 ? 2 : Prec);
      case u'm': case u'M': return Float(ffCurrency, 18, Prec < 0 ? FSettings.CurrencyDecimals : Prec);
      default: Invalid();
    }
  }

  String Float(TFloatFormat Kind, Int64 Precision, Int64 Digits) {
    const TVarRec& A = NextArg();
    if (A.VType != vtExtended) Invalid();
    return FormatFloatArg(A.VExtended, Kind, static_cast<Integer>(std::min<Int64>(Precision, 18)),
                          static_cast<Integer>(std::min<Int64>(Digits, 18)), FSettings);
  }
};

}  // namespace

String Format(StringView Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args.begin(), Args.size(), FormatSettings);
}

String Format(StringView Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings) {
  return Format(Fmt, Args.begin(), Args.size(), Settings);
}

String Format(StringView Fmt, const TVarRec* Args, std::size_t ArgCount, const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, ArgCount, Settings).Run();
}
