// TEncoding: UTF-8, UTF-16 (both byte orders), ASCII and Windows-1252, and BOM detection.
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/UnicodeCase.h"

namespace {

class TUTF8Encoding final : public TEncoding {
public:
  TBytes GetBytes(StringView S) const override {
    const UTF8String U = UTF8Encode(S);
    return TBytes(U.begin(), U.end());
  }
  String GetString(const Byte* Bytes, std::size_t Count) const override {
    return UTF8ToString(std::string_view(reinterpret_cast<const char*>(Bytes), Count));
  }
  TBytes GetPreamble() const override { return {0xEF, 0xBB, 0xBF}; }
  Cardinal GetCodePage() const override { return 65001; }
};

class TUTF16Encoding final : public TEncoding {
public:
  explicit TUTF16Encoding(bool BigEndian) : FBigEndian(BigEndian) {}
  TBytes GetBytes(StringView S) const override {
    TBytes B;
    B.reserve(S.size() * 2);
    for (Char C : S) {
      const Byte Lo = static_cast<Byte>(C & 0xFF), Hi = static_cast<Byte>(C >> 8);
      B.push_back(FBigEndian ? Hi : Lo);
      B.push_back(FBigEndian ? Lo : Hi);
    }
    return B;
  }
  String GetString(const Byte* Bytes, std::size_t Count) const override {
    String S;
    S.reserve(Count / 2 + 1);
    for (std::size_t I = 0; I + 1 < Count; I += 2)
      S += static_cast<Char>(FBigEndian ? (Bytes[I] << 8) | Bytes[I + 1] : Bytes[I] | (Bytes[I + 1] << 8));
    if (Count % 2) S += u'\uFFFD';   // a dangling byte is no character
    return S;
  }
  TBytes GetPreamble() const override { return FBigEndian ? TBytes{0xFE, 0xFF} : TBytes{0xFF, 0xFE}; }
  Cardinal GetCodePage() const override { return FBigEndian ? 1201 : 1200; }

private:
  bool FBigEndian;
};

class TASCIIEncoding final : public TEncoding {
public:
  TBytes GetBytes(StringView S) const override {
    TBytes B;
    B.reserve(S.size());
    for (std::size_t I = 0; I < S.size();) {
      const char32_t C = NextCodePoint(S, I);
      B.push_back(C < 0x80 ? static_cast<Byte>(C) : Byte('?'));
    }
    return B;
  }
  String GetString(const Byte* Bytes, std::size_t Count) const override {
    String S;
    S.reserve(Count);
    for (std::size_t I = 0; I < Count; ++I) S += Bytes[I] < 0x80 ? static_cast<Char>(Bytes[I]) : u'?';
    return S;
  }
  TBytes GetPreamble() const override { return {}; }
  Cardinal GetCodePage() const override { return 20127; }
};

class TANSIEncoding final : public TEncoding {
public:
  TBytes GetBytes(StringView S) const override {
    const AnsiString A = StringToAnsi(S);
    return TBytes(A.begin(), A.end());
  }
  String GetString(const Byte* Bytes, std::size_t Count) const override {
    return AnsiToString(std::string_view(reinterpret_cast<const char*>(Bytes), Count));
  }
  TBytes GetPreamble() const override { return {}; }
  Cardinal GetCodePage() const override { return 1252; }
};

bool StartsWith(const Byte* Buffer, std::size_t Count, const TBytes& Prefix) {
  if (Prefix.empty() || Count < Prefix.size()) return false;
  for (std::size_t I = 0; I < Prefix.size(); ++I)
    if (Buffer[I] != Prefix[I]) return false;
  return true;
}

}  // namespace

String TEncoding::GetString(const TBytes& Bytes, Integer ByteIndex, Integer ByteCount) const {
  if (ByteIndex < 0 || ByteCount < 0 || static_cast<std::size_t>(ByteIndex) + static_cast<std::size_t>(ByteCount) > Bytes.size())
    throw EArgumentOutOfRangeException(u"Byte range " + IntToStr(ByteIndex) + u".." + IntToStr(Int64(ByteIndex) + ByteCount) +
                                       u" is outside the buffer of " + IntToStr(static_cast<Int64>(Bytes.size())) + u" bytes");
  return GetString(Bytes.data() + ByteIndex, static_cast<std::size_t>(ByteCount));
}

TEncoding* TEncoding::UTF8() {
  static TUTF8Encoding E;
  return &E;
}

TEncoding* TEncoding::Unicode() {
  static TUTF16Encoding E(false);
  return &E;
}

TEncoding* TEncoding::BigEndianUnicode() {
  static TUTF16Encoding E(true);
  return &E;
}

TEncoding* TEncoding::ASCII() {
  static TASCIIEncoding E;
  return &E;
}

TEncoding* TEncoding::ANSI() {
  static TANSIEncoding E;
  return &E;
}

TEncoding* TEncoding::Default() { return ANSI(); }

bool TEncoding::IsStandardEncoding(const TEncoding* AEncoding) {
  return AEncoding && (AEncoding == UTF8() || AEncoding == Unicode() || AEncoding == BigEndianUnicode() ||
                       AEncoding == ASCII() || AEncoding == ANSI());
}

Integer TEncoding::GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding) {
  return GetBufferEncoding(Buffer.data(), Buffer.size(), AEncoding, Default());
}

Integer TEncoding::GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding, TEncoding* ADefaultEncoding) {
  return GetBufferEncoding(Buffer.data(), Buffer.size(), AEncoding, ADefaultEncoding);
}

Integer TEncoding::GetBufferEncoding(const Byte* Buffer, std::size_t Count, TEncoding*& AEncoding,
                                     TEncoding* ADefaultEncoding) {
  if (AEncoding) {
    const TBytes P = AEncoding->GetPreamble();
    return StartsWith(Buffer, Count, P) ? static_cast<Integer>(P.size()) : 0;
  }
  for (TEncoding* E : {UTF8(), Unicode(), BigEndianUnicode()}) {
    const TBytes P = E->GetPreamble();
    if (StartsWith(Buffer, Count, P)) {
      AEncoding = E;
      return static_cast<Integer>(P.size());
    }
  }
  AEncoding = ADefaultEncoding ? ADefaultEncoding : Default();
  return 0;
}
