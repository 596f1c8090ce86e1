// PNG through libpng. libpng reports errors by longjmp; the functions that call it keep only
// trivially destructible locals, and the C++ callers own every buffer and raise the exception.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/ImageCodecs.h"

namespace ImageCodecs {

namespace {

struct TPngState {
  const Byte* Data = nullptr;
  std::size_t Size = 0;
  std::size_t Pos = 0;
  std::vector<Byte>* Out = nullptr;
  char Message[200] = {};
};

void PngError(png_structp Png, png_const_charp Msg) {
  auto* st = static_cast<TPngState*>(png_get_error_ptr(Png));
  std::snprintf(st->Message, sizeof st->Message, "%s", Msg ? Msg : "error");
  png_longjmp(Png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp Png, png_bytep Dest, png_size_t Count) {
  auto* st = static_cast<TPngState*>(png_get_io_ptr(Png));
  if (Count > st->Size - st->Pos) png_error(Png, "unexpected end of data");
  std::memcpy(Dest, st->Data + st->Pos, Count);
  st->Pos += Count;
}

void PngWrite(png_structp Png, png_bytep Src, png_size_t Count) {
  auto* st = static_cast<TPngState*>(png_get_io_ptr(Png));
  st->Out->insert(st->Out->end(), Src, Src + Count);
}

void PngFlush(png_structp) {}

// Reads the whole image into Image; false with St.Message set on any libpng error.
bool ReadPng(TPngState& St, TRawImage& Image) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &St, PngError, PngWarning);
  if (!png) {
    std::snprintf(St.Message, sizeof St.Message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    std::snprintf(St.Message, sizeof St.Message, "out of memory");
    return false;
  }
  // Rows live in Image.Pixels, owned by the caller; nothing here needs unwinding.
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    png_free(png, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &St, PngRead);
  png_set_user_limits(png, MaxDimension, MaxDimension);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  if (static_cast<Int64>(w) * h > MaxPixels) png_error(png, "image too large");
  // Deflate packs at most about 1032 bytes into one, so the bytes left in the file bound the
  // image they can hold: a small file claiming a huge image fails before the pixels are allocated.
  const Int64 filtered = static_cast<Int64>(h) * (1 + static_cast<Int64>(png_get_rowbytes(png, info)));
  if (filtered > static_cast<Int64>(St.Size - St.Pos) * 1032 + 1024) png_error(png, "image data too short");
  const int colorType = png_get_color_type(png, info);
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);          // palette -> RGB, grey < 8 bits -> 8 bits, tRNS -> alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!(colorType & PNG_COLOR_MASK_ALPHA) && !trns) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 4) png_error(png, "unsupported pixel layout");
  Image.SetSize(static_cast<Integer>(w), static_cast<Integer>(h));
  Image.HasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) || trns;
  rows = static_cast<png_bytep*>(png_malloc(png, sizeof(png_bytep) * h));
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = Image.Row(static_cast<Integer>(y));
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  png_free(png, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

bool WritePng(TPngState& St, const TRawImage& Image, bool WithAlpha, std::vector<Byte>& Rgb) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &St, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &St, PngWrite, PngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(Image.Width), static_cast<png_uint_32>(Image.Height), 8,
               WithAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  for (Integer y = 0; y < Image.Height; ++y) {
    const Byte* src = Image.Row(y);
    if (WithAlpha) {
      png_write_row(png, const_cast<png_bytep>(src));
    } else {
      for (Integer x = 0; x < Image.Width; ++x) std::memcpy(&Rgb[x * 3], src + x * 4, 3);
      png_write_row(png, Rgb.data());
    }
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool IsPng(const Byte* Data, std::size_t Size) {
  return Size >= 8 && png_sig_cmp(const_cast<png_bytep>(Data), 0, 8) == 0;
}

TRawImage DecodePng(const Byte* Data, std::size_t Size) {
  if (!IsPng(Data, Size)) throw EInvalidGraphic(u"PNG image is not valid: missing PNG signature");
  TPngState st;
  st.Data = Data;
  st.Size = Size;
  TRawImage image;
  if (!ReadPng(st, image)) throw EInvalidGraphic(u"PNG image is not valid: " + UTF8ToString(st.Message));
  return image;
}

std::vector<Byte> EncodePng(const TRawImage& Image, bool WithAlpha) {
  if (Image.Width <= 0 || Image.Height <= 0) throw EInvalidGraphic(u"Cannot save an empty PNG image");
  std::vector<Byte> out;
  std::vector<Byte> rgb(static_cast<std::size_t>(Image.Width) * 3);
  TPngState st;
  st.Out = &out;
  if (!WritePng(st, Image, WithAlpha, rgb)) throw EInvalidGraphic(u"PNG image cannot be written: " + UTF8ToString(st.Message));
  return out;
}

void TRawImage::SetSize(Integer AWidth, Integer AHeight) {
  Width = AWidth;
  Height = AHeight;
  Pixels.assign(static_cast<std::size_t>(AWidth) * AHeight * 4, 0);
  for (std::size_t i = 3; i < Pixels.size(); i += 4) Pixels[i] = 0xFF;
}

}  // namespace ImageCodecs
