#pragma once
// Base64 (RFC 4648). Text goes through UTF-8 on both sides.
#include <utility>

#include "platform/rtl/SysUtils.h"

class TBase64Encoding;

class TNetEncoding : public TObject {
public:
  virtual String EncodeBytesToString(const Byte* Bytes, std::size_t Count) const = 0;
  virtual TBytes DecodeStringToBytes(StringView S) const = 0;

  String EncodeBytesToString(const TBytes& Bytes) const { return EncodeBytesToString(Bytes.data(), Bytes.size()); }
  String Encode(StringView S) const;   // UTF-8 of S, encoded
  String Decode(StringView S) const;   // decoded bytes read as UTF-8

  // Lines of 76 characters separated by CR LF, as mail and XML carry it.
  static const TBase64Encoding& Base64();
  // One unbroken line.
  static const TBase64Encoding& Base64String();
};

class TBase64Encoding : public TNetEncoding {
public:
  using TNetEncoding::EncodeBytesToString;

  // CharsPerLine 0: no line breaks.
  explicit TBase64Encoding(Integer CharsPerLine = 76, String LineSeparator = u"\r\n")
      : FCharsPerLine(CharsPerLine), FLineSeparator(std::move(LineSeparator)) {}

  String EncodeBytesToString(const Byte* Bytes, std::size_t Count) const override;
  // Skips blanks and line breaks; padding may be left out. Any other character outside the
  // alphabet, data after the padding or a dangling single character raises EConvertError.
  TBytes DecodeStringToBytes(StringView S) const override;

private:
  Integer FCharsPerLine;
  String FLineSeparator;
};
