#include "lib/grid/core/NeoGridGlyphs.h"

#include <mutex>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/ui/Graphics.h"

namespace {

// What each glyph shows: a short sign in dark blue on white.
constexpr std::array<const Char*, 9> GlyphTexts = {u"a*", u"*a", u"*a*", u"!a", u"=", u"\u2260", u">", u"<", u"\u00D7"};

std::vector<Byte> DrawGlyph(const Char* Text) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(16, 16);
  TCanvas* c = bmp.GetCanvas();
  c->GetBrush()->SetColor(clWhite);
  c->FillRect(TRect{0, 0, 16, 16});
  c->GetFont()->SetName(u"DejaVu Sans");
  c->GetFont()->SetHeight(-10);
  c->GetFont()->SetStyle(TFontStyles{fsBold});
  c->GetFont()->SetColor(0x8B3A1E);
  c->GetBrush()->SetStyle(bsClear);
  TSize size = c->TextExtent(Text);
  c->TextOut((16 - size.cx) / 2, (16 - size.cy) / 2, Text);
  TMemoryStream stream;
  bmp.SaveToStream(&stream);
  const auto* data = static_cast<const Byte*>(stream.GetMemory());
  return std::vector<Byte>(data, data + stream.GetSize());
}

}  // namespace

void RegisterNeoGridGlyphResources() {
  static std::once_flag once;
  static std::array<std::vector<Byte>, 9> bytes;   // the resource table keeps pointers into these
  std::call_once(once, [] {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = DrawGlyph(GlyphTexts[i]);
      RegisterResource(NeoGridFilterGlyphs[i], RT_BITMAP, bytes[i]);
    }
  });
}
