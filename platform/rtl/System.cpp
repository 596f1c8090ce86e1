#include "platform/rtl/System.h"

UTF8String UTF8Encode(StringView s) {
  UTF8String out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

String UTF8ToString(std::string_view s) {
  String out;
  out.reserve(s.size());
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    unsigned char b = p[i];
    char32_t c;
    std::size_t len;
    if (b < 0x80) { c = b; len = 1; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; len = 2; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; len = 3; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; len = 4; }
    else { out += u'\uFFFD'; ++i; continue; }
    bool ok = i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (p[i + k] & 0x3F);
    }
    // Reject overlong forms, surrogates and values past U+10FFFF.
    if (ok && ((len == 2 && c < 0x80) || (len == 3 && c < 0x800) || (len == 4 && c < 0x10000) ||
               (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF))
      ok = false;
    if (!ok) { out += u'\uFFFD'; ++i; continue; }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<Char>(0xD800 + (c >> 10));
      out += static_cast<Char>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<Char>(c);
    }
    i += len;
  }
  return out;
}
