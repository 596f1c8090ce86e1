// Rich text laid out with Pango, one layout per paragraph (cached in the paragraph), drawn with
// Cairo into the surface behind a device context.
#include "platform/ui/RichLayout.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"

struct TRichParaLayout {
  PangoLayout* Layout = nullptr;
  int Dpi = 0, Width = 0;
  bool Wrap = true;
  std::vector<int> Bytes;   // UTF-8 offset of each UTF-16 index 0..n
  int PixelWidth = 0, PixelHeight = 0;
  ~TRichParaLayout() {
    if (Layout) g_object_unref(Layout);
  }
  int ByteOf(Integer Index) const { return Bytes[static_cast<std::size_t>(std::clamp<Integer>(Index, 0, static_cast<Integer>(Bytes.size()) - 1))]; }
  Integer IndexOf(int Byte) const {
    auto it = std::lower_bound(Bytes.begin(), Bytes.end(), Byte);
    return static_cast<Integer>(it - Bytes.begin());
  }
};

void TRichParaLayoutDeleter::operator()(TRichParaLayout* P) const { delete P; }

namespace {

PangoContext* Context() {
  static PangoContext* context = [] {
    PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(c, opts);
    cairo_font_options_destroy(opts);
    pango_context_set_base_dir(c, PANGO_DIRECTION_LTR);
    return c;
  }();
  return context;
}

// The installed family a face is drawn with (the window system's substitution), cached.
const std::string& FamilyOf(const String& Face) {
  static std::map<String, std::string> cache;
  auto it = cache.find(Face);
  if (it != cache.end()) return it->second;
  String family = GdiResolveFontFamily(Face);
  return cache[Face] = UTF8Encode(family.empty() ? Face : family);
}

PangoFontDescription* Describe(const TRichFormat& F, int Dpi, double Scale) {
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, FamilyOf(F.Name).c_str());
  pango_font_description_set_weight(d, F.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, F.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  double px = std::max(1, F.Height) * Dpi / 1440.0 * Scale;
  pango_font_description_set_absolute_size(d, px * PANGO_SCALE);
  return d;
}

void AddAttr(PangoAttrList* L, PangoAttribute* A, int Start, int End) {
  A->start_index = static_cast<guint>(Start);
  A->end_index = static_cast<guint>(End);
  pango_attr_list_insert(L, A);
}

TRichParaLayout* LayoutOf(const TRichDocument& Doc, const TRichParagraph& P, int Dpi, int Width, bool Wrap) {
  if (P.Layout && P.Layout->Dpi == Dpi && P.Layout->Width == Width && P.Layout->Wrap == Wrap) return P.Layout.get();
  auto* l = new TRichParaLayout;
  P.Layout.reset(l);
  l->Dpi = Dpi;
  l->Width = Width;
  l->Wrap = Wrap;
  // UTF-8 text with a map of every UTF-16 index; a line break inside the paragraph is U+2028.
  std::string text;
  text.reserve(P.Text.size() + P.Text.size() / 4);
  l->Bytes.resize(P.Text.size() + 1);
  for (std::size_t i = 0; i < P.Text.size(); ++i) {
    l->Bytes[i] = static_cast<int>(text.size());
    char32_t c = P.Text[i];
    if (c == 0x0B) c = 0x2028;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < P.Text.size() && P.Text[i + 1] >= 0xDC00 && P.Text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (P.Text[i + 1] - 0xDC00);
      l->Bytes[++i] = static_cast<int>(text.size());
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    char buf[4];
    int n = g_unichar_to_utf8(static_cast<gunichar>(c), buf);
    text.append(buf, static_cast<std::size_t>(n));
  }
  l->Bytes[P.Text.size()] = static_cast<int>(text.size());
  PangoLayout* layout = pango_layout_new(Context());
  l->Layout = layout;
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  const TRichFormat& first = Doc.Format(P.Runs.front().Format);
  PangoFontDescription* base = Describe(first, Dpi, 1);
  pango_layout_set_font_description(layout, base);
  pango_font_description_free(base);
  PangoAttrList* attrs = pango_attr_list_new();
  for (std::size_t r = 0; r < P.Runs.size(); ++r) {
    const TRichFormat& f = Doc.Format(P.Runs[r].Format);
    int a = l->ByteOf(P.Runs[r].Start), b = l->ByteOf(P.RunEnd(r));
    if (a >= b) continue;
    double scale = f.Script == rsNone ? 1.0 : 2.0 / 3.0;
    PangoFontDescription* d = Describe(f, Dpi, scale);
    AddAttr(attrs, pango_attr_font_desc_new(d), a, b);
    pango_font_description_free(d);
    if (f.Underline) AddAttr(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), a, b);
    if (f.StrikeOut) AddAttr(attrs, pango_attr_strikethrough_new(TRUE), a, b);
    if (!f.AutoColor)
      AddAttr(attrs, pango_attr_foreground_new(static_cast<guint16>(GetRValue(f.Color) * 257), static_cast<guint16>(GetGValue(f.Color) * 257),
                                                static_cast<guint16>(GetBValue(f.Color) * 257)), a, b);
    double px = f.Height * Dpi / 1440.0;
    double rise = f.Offset * Dpi / 1440.0;
    if (f.Script == rsSuperscript) rise += px / 3;
    else if (f.Script == rsSubscript) rise -= px / 5;
    if (rise != 0) AddAttr(attrs, pango_attr_rise_new(static_cast<int>(std::lround(rise * PANGO_SCALE))), a, b);
  }
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
  if (Wrap && Width > 0) {
    pango_layout_set_width(layout, Width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_justify(layout, P.Justify);
  pango_layout_set_alignment(layout, P.Align == taCenter ? PANGO_ALIGN_CENTER : P.Align == taRightJustify ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  l->PixelWidth = logical.width;
  l->PixelHeight = logical.height;
  return l;
}

// Extra shift of unwrapped lines so that alignment is within the view's width.
int AlignShift(const TRichParagraph& P, const TRichParaLayout& L) {
  if (L.Wrap && L.Width > 0) return 0;
  int room = std::max(0, L.Width - L.PixelWidth);
  return P.Align == taCenter ? room / 2 : P.Align == taRightJustify ? room : 0;
}

void SetColor(cairo_t* Cr, COLORREF C) {
  cairo_set_source_rgb(Cr, GetRValue(C) / 255.0, GetGValue(C) / 255.0, GetBValue(C) / 255.0);
}

}  // namespace

void TRichLayout::SetParams(int ADpi, int AWidth, bool AWrap) {
  ADpi = ADpi > 0 ? ADpi : 96;
  if (ADpi == FDpi && AWidth == FWidth && AWrap == FWrap) return;
  FDpi = ADpi;
  FWidth = AWidth;
  FWrap = AWrap;
  FVersion = ~0ull;
}

void TRichLayout::Refresh() {
  if (FVersion == FDoc.Version()) return;
  FVersion = FDoc.Version();
  FLines.clear();
  FParaFirstLine.clear();
  FContentWidth = 0;
  int top = 0;
  Integer pos = 0;
  for (Integer pi = 0; pi < FDoc.ParagraphCount(); ++pi) {
    const TRichParagraph& p = FDoc.Paragraph(pi);
    TRichParaLayout* l = LayoutOf(FDoc, p, FDpi, FWidth, FWrap);
    FParaFirstLine.push_back(static_cast<Integer>(FLines.size()));
    PangoLayoutIter* it = pango_layout_get_iter(l->Layout);
    do {
      PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
      int y0, y1;
      pango_layout_iter_get_line_yrange(it, &y0, &y1);
      PangoRectangle ext;
      pango_layout_iter_get_line_extents(it, nullptr, &ext);
      FContentWidth = std::max(FContentWidth, (ext.x + ext.width) / PANGO_SCALE);
      TLine tl;
      tl.Para = pi;
      tl.Start = pos + l->IndexOf(line->start_index);
      tl.End = pos + l->IndexOf(line->start_index + line->length);
      tl.Top = top + PANGO_PIXELS_FLOOR(y0);
      tl.Height = PANGO_PIXELS_CEIL(y1) - PANGO_PIXELS_FLOOR(y0);
      FLines.push_back(tl);
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
    top += l->PixelHeight;
    pos += static_cast<Integer>(p.Text.size()) + 1;
  }
  FHeight = top;
}

const std::vector<TRichLayout::TLine>& TRichLayout::Lines() {
  Refresh();
  return FLines;
}

int TRichLayout::Height() {
  Refresh();
  return FHeight;
}

int TRichLayout::ContentWidth() {
  Refresh();
  return FContentWidth;
}

Integer TRichLayout::LineFromChar(Integer Pos) {
  Refresh();
  Integer para, offset;
  FDoc.Locate(Pos, para, offset);
  Integer line = FParaFirstLine[static_cast<std::size_t>(para)];
  Integer last = para + 1 < FDoc.ParagraphCount() ? FParaFirstLine[static_cast<std::size_t>(para + 1)] : static_cast<Integer>(FLines.size());
  Integer start = FDoc.ParagraphStart(para);
  while (line + 1 < last && FLines[static_cast<std::size_t>(line + 1)].Start <= start + offset) ++line;
  return line;
}

TRect TRichLayout::CaretRect(Integer Pos) {
  Refresh();
  Integer para, offset;
  FDoc.Locate(Pos, para, offset);
  const TRichParagraph& p = FDoc.Paragraph(para);
  TRichParaLayout* l = LayoutOf(FDoc, p, FDpi, FWidth, FWrap);
  PangoRectangle strong;
  pango_layout_get_cursor_pos(l->Layout, l->ByteOf(offset), &strong, nullptr);
  const TLine& line = FLines[static_cast<std::size_t>(LineFromChar(Pos))];
  int x = PANGO_PIXELS(strong.x) + AlignShift(p, *l);
  return TRect{x, line.Top, x + 1, line.Top + line.Height};
}

Integer TRichLayout::CharFromPoint(int X, int Y) {
  Refresh();
  if (FLines.empty()) return 0;
  auto it = std::upper_bound(FLines.begin(), FLines.end(), Y, [](int y, const TLine& L) { return y < L.Top; });
  const TLine& line = it == FLines.begin() ? FLines.front() : *(it - 1);
  const TRichParagraph& p = FDoc.Paragraph(line.Para);
  TRichParaLayout* l = LayoutOf(FDoc, p, FDpi, FWidth, FWrap);
  Integer paraStart = FDoc.ParagraphStart(line.Para);
  int lineIndex = static_cast<int>((it == FLines.begin() ? FLines.begin() : it - 1) - FLines.begin()) - FParaFirstLine[static_cast<std::size_t>(line.Para)];
  PangoLayoutLine* pl = pango_layout_get_line_readonly(l->Layout, lineIndex);
  if (!pl) return line.Start;
  int index = 0, trailing = 0;
  // x relative to the line: pango lines of an aligned layout start at their own offset.
  PangoLayoutIter* iter = pango_layout_get_iter(l->Layout);
  for (int i = 0; i < lineIndex; ++i) pango_layout_iter_next_line(iter);
  PangoRectangle lineExt;
  pango_layout_iter_get_line_extents(iter, nullptr, &lineExt);
  pango_layout_iter_free(iter);
  int x = (X - AlignShift(p, *l)) * PANGO_SCALE - lineExt.x;
  pango_layout_line_x_to_index(pl, x, &index, &trailing);
  Integer result = l->IndexOf(index);
  // trailing counts characters (a surrogate pair is one).
  for (int t = 0; t < trailing && result < static_cast<Integer>(p.Text.size()); ++t) {
    ++result;
    if (result < static_cast<Integer>(p.Text.size()) && p.Text[static_cast<std::size_t>(result)] >= 0xDC00 &&
        p.Text[static_cast<std::size_t>(result)] <= 0xDFFF)
      ++result;
  }
  return std::clamp(paraStart + result, line.Start, std::max(line.Start, line.End));
}

namespace {

// A 32-bit top-down DIB selected into a memory DC: the scratch the lines are drawn into before
// they are blended onto the target, so that every kind of target DC (bitmaps of any format,
// clipping, window surfaces) is served by the window system's own blending.
class TScratch {
public:
  TScratch(HDC ARef, int AWidth, int AHeight) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = AWidth;
    info.bmiHeader.biHeight = -AHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FDC = CreateCompatibleDC(ARef);
    FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (FDC && FBitmap) FOld = SelectObject(FDC, FBitmap);
  }
  ~TScratch() {
    if (FOld) SelectObject(FDC, FOld);
    if (FBitmap) DeleteObject(FBitmap);
    if (FDC) DeleteDC(FDC);
  }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  HDC DC() const { return FDC; }
  TSurface* Surface() const { return FOld ? GetDCSurface(FDC) : nullptr; }

private:
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
};

}  // namespace

Integer TRichLayout::Draw(HDC DC, const TDrawParams& P) {
  Refresh();
  auto first = static_cast<std::size_t>(std::clamp<Integer>(P.FirstLine, 0, static_cast<Integer>(FLines.size())));
  if (first >= FLines.size()) return static_cast<Integer>(FLines.size());
  int topOfFirst = FLines[first].Top;
  // The lines that fit.
  std::size_t end = first;
  while (end < FLines.size() && (P.MaxHeight < 0 || FLines[end].Top + FLines[end].Height - topOfFirst <= P.MaxHeight)) ++end;
  if (end == first) return static_cast<Integer>(end);
  // The part of the target that the lines cover and the clip leaves.
  RECT clip;
  if (GetClipBox(DC, &clip) == ERROR) return static_cast<Integer>(end);
  int bottom = FLines[end - 1].Top + FLines[end - 1].Height - topOfFirst;
  RECT area{P.Origin.x, P.Origin.y, P.Origin.x + std::max(FWidth, FContentWidth) + 2, P.Origin.y + bottom};
  RECT box;
  if (!IntersectRect(&box, &area, &clip)) return static_cast<Integer>(end);
  int w = box.right - box.left, h = box.bottom - box.top;
  TScratch scratch(DC, w, h);
  TSurface* surface = scratch.Surface();
  auto* native = surface ? static_cast<cairo_surface_t*>(surface->NativeSurface()) : nullptr;
  if (!native) return static_cast<Integer>(end);
  GdiFlush();
  surface->Clear(0);
  cairo_t* cr = cairo_create(native);
  double x0 = P.Origin.x - box.left, y0 = P.Origin.y - box.top - topOfFirst;
  Integer selFrom = std::min(P.SelFrom, P.SelTo), selTo = std::max(P.SelFrom, P.SelTo);
  for (std::size_t i = first; i < end; ++i) {
    const TLine& line = FLines[i];
    if (y0 + line.Top + line.Height < 0) continue;
    if (y0 + line.Top > h) break;
    const TRichParagraph& p = FDoc.Paragraph(line.Para);
    TRichParaLayout* l = LayoutOf(FDoc, p, FDpi, FWidth, FWrap);
    int lineIndex = static_cast<int>(i) - FParaFirstLine[static_cast<std::size_t>(line.Para)];
    PangoLayoutLine* pl = pango_layout_get_line_readonly(l->Layout, lineIndex);
    PangoLayoutIter* iter = pango_layout_get_iter(l->Layout);
    for (int k = 0; k < lineIndex; ++k) pango_layout_iter_next_line(iter);
    PangoRectangle lineExt;
    pango_layout_iter_get_line_extents(iter, nullptr, &lineExt);
    int baseline = pango_layout_iter_get_baseline(iter);
    int yTop, yBottom;
    pango_layout_iter_get_line_yrange(iter, &yTop, &yBottom);
    pango_layout_iter_free(iter);
    double lx = x0 + AlignShift(p, *l) + lineExt.x / double(PANGO_SCALE);
    double ly = y0 + line.Top + (baseline - yTop) / double(PANGO_SCALE);
    SetColor(cr, P.TextColor);
    cairo_move_to(cr, lx, ly);
    pango_cairo_show_layout_line(cr, pl);
    // The selected part again, on the highlight; a selected paragraph end shows as a small block.
    Integer paraStart = FDoc.ParagraphStart(line.Para);
    Integer a = std::max(selFrom, line.Start), b = std::min(selTo, line.End);
    bool paraEnd = line.End == paraStart + static_cast<Integer>(p.Text.size()) && line.Para + 1 < FDoc.ParagraphCount();
    bool selectsEnd = paraEnd && selFrom <= line.End && selTo > line.End;
    if (a >= b && !selectsEnd) continue;
    int* ranges = nullptr;
    int n = 0;
    if (a < b) pango_layout_line_get_x_ranges(pl, l->ByteOf(a - paraStart), l->ByteOf(b - paraStart), &ranges, &n);
    cairo_save(cr);
    cairo_new_path(cr);
    for (int k = 0; k < n; ++k)
      cairo_rectangle(cr, x0 + AlignShift(p, *l) + ranges[2 * k] / double(PANGO_SCALE), y0 + line.Top,
                      (ranges[2 * k + 1] - ranges[2 * k]) / double(PANGO_SCALE), line.Height);
    if (selectsEnd)
      cairo_rectangle(cr, lx + lineExt.width / double(PANGO_SCALE), y0 + line.Top, std::max(2.0, FDpi / 24.0), line.Height);
    g_free(ranges);
    cairo_clip(cr);
    SetColor(cr, P.SelBack);
    cairo_paint(cr);
    SetColor(cr, P.SelText);
    cairo_move_to(cr, lx, ly);
    pango_cairo_show_layout_line(cr, pl);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(native);
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(DC, box.left, box.top, w, h, scratch.DC(), 0, 0, w, h, blend);
  return static_cast<Integer>(end);
}
