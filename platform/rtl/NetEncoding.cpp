#include "platform/rtl/NetEncoding.h"

namespace {

constexpr char16_t Alphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(Char C) {
  if (C >= u'A' && C <= u'Z') return C - u'A';
  if (C >= u'a' && C <= u'z') return C - u'a' + 26;
  if (C >= u'0' && C <= u'9') return C - u'0' + 52;
  if (C == u'+') return 62;
  if (C == u'/') return 63;
  return -1;
}

bool IsBlank(Char C) { return C == u' ' || C == u'\t' || C == u'\r' || C == u'\n'; }

[[noreturn]] void BadInput(const String& Why) { throw EConvertError(u"Invalid Base64 text: " + Why); }

}  // namespace

String TNetEncoding::Encode(StringView S) const {
  const UTF8String U = UTF8Encode(S);
  return EncodeBytesToString(reinterpret_cast<const Byte*>(U.data()), U.size());
}

String TNetEncoding::Decode(StringView S) const {
  const TBytes B = DecodeStringToBytes(S);
  return UTF8ToString(std::string_view(reinterpret_cast<const char*>(B.data()), B.size()));
}

const TBase64Encoding& TNetEncoding::Base64() {
  static const TBase64Encoding E(76, u"\r\n");
  return E;
}

const TBase64Encoding& TNetEncoding::Base64String() {
  static const TBase64Encoding E(0, String());
  return E;
}

String TBase64Encoding::EncodeBytesToString(const Byte* Bytes, std::size_t Count) const {
  String Out;
  Out.reserve((Count + 2) / 3 * 4 + (FCharsPerLine > 0 ? Count / 57 * FLineSeparator.size() : 0));
  Integer Column = 0;
  auto Put = [&](Char C) {
    if (FCharsPerLine > 0 && Column == FCharsPerLine) {
      Out += FLineSeparator;
      Column = 0;
    }
    Out += C;
    ++Column;
  };
  std::size_t I = 0;
  for (; I + 3 <= Count; I += 3) {
    const unsigned V = (Bytes[I] << 16) | (Bytes[I + 1] << 8) | Bytes[I + 2];
    Put(Alphabet[V >> 18]);
    Put(Alphabet[(V >> 12) & 63]);
    Put(Alphabet[(V >> 6) & 63]);
    Put(Alphabet[V & 63]);
  }
  if (I < Count) {
    const bool Two = I + 1 < Count;
    const unsigned V = (Bytes[I] << 16) | (Two ? Bytes[I + 1] << 8 : 0);
    Put(Alphabet[V >> 18]);
    Put(Alphabet[(V >> 12) & 63]);
    Put(Two ? Alphabet[(V >> 6) & 63] : u'=');
    Put(u'=');
  }
  return Out;
}

TBytes TBase64Encoding::DecodeStringToBytes(StringView S) const {
  TBytes Out;
  Out.reserve(S.size() / 4 * 3 + 3);
  unsigned Acc = 0;
  int Pending = 0;   // sextets in Acc
  int Padding = 0;
  for (std::size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (IsBlank(C)) continue;
    if (C == u'=') {
      ++Padding;
      continue;
    }
    const int V = SextetOf(C);
    if (V < 0) BadInput(u"character '" + String(1, C) + u"' at position " + IntToStr(static_cast<Int64>(I + 1)));
    if (Padding > 0) BadInput(u"data after the padding at position " + IntToStr(static_cast<Int64>(I + 1)));
    Acc = (Acc << 6) | static_cast<unsigned>(V);
    if (++Pending == 4) {
      Out.push_back(static_cast<Byte>(Acc >> 16));
      Out.push_back(static_cast<Byte>(Acc >> 8));
      Out.push_back(static_cast<Byte>(Acc));
      Acc = 0;
      Pending = 0;
    }
  }
  if (Pending == 1) BadInput(u"incomplete final group");
  if (Pending == 0 && Padding > 0) BadInput(u"padding without data");
  if (Padding > 2 || (Padding > 0 && Pending + Padding != 4)) BadInput(u"wrong padding");
  if (Pending == 2) Out.push_back(static_cast<Byte>(Acc >> 4));
  if (Pending == 3) {
    Out.push_back(static_cast<Byte>(Acc >> 10));
    Out.push_back(static_cast<Byte>(Acc >> 2));
  }
  return Out;
}
