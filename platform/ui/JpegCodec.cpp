// JPEG through the libjpeg 6b API. libjpeg reports errors through error_exit, which longjmps back
// into the function that started the work; those functions keep only trivially destructible
// locals, and their C++ callers own every buffer and raise the exception.
#include <cstdio>   // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>
#include <jerror.h>

#include <csetjmp>
#include <cstring>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/ImageCodecs.h"

namespace ImageCodecs {

namespace {

struct TJpegError {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JpegErrorExit(j_common_ptr Info) {
  auto* err = reinterpret_cast<TJpegError*>(Info->err);
  (*Info->err->format_message)(Info, err->Message);
  std::longjmp(err->Jump, 1);
}

// Warnings mean damaged data (bad Huffman codes, missing markers): treated as errors, so that a
// corrupt file is rejected instead of shown with grey blocks. Trace messages are ignored.
void JpegEmitMessage(j_common_ptr Info, int Level) {
  if (Level < 0) JpegErrorExit(Info);
}

void JpegOutputMessage(j_common_ptr) {}

void InitErrors(TJpegError& Err) {
  jpeg_std_error(&Err.Mgr);
  Err.Mgr.error_exit = JpegErrorExit;
  Err.Mgr.emit_message = JpegEmitMessage;
  Err.Mgr.output_message = JpegOutputMessage;
  Err.Message[0] = 0;
}

// Memory source that fails on premature end instead of inventing an end-of-image marker.
void SrcInit(j_decompress_ptr) {}
boolean SrcFill(j_decompress_ptr Info) {
  ERREXIT(Info, JERR_INPUT_EOF);
  return FALSE;
}
void SrcSkip(j_decompress_ptr Info, long Count) {
  if (Count <= 0) return;
  jpeg_source_mgr* src = Info->src;
  if (static_cast<std::size_t>(Count) > src->bytes_in_buffer) ERREXIT(Info, JERR_INPUT_EOF);
  src->next_input_byte += Count;
  src->bytes_in_buffer -= static_cast<std::size_t>(Count);
}
void SrcTerm(j_decompress_ptr) {}

struct TJpegDest {
  jpeg_destination_mgr Mgr;
  std::vector<Byte>* Out;
  Byte Buffer[16384];
};
void DestInit(j_compress_ptr Info) {
  auto* d = reinterpret_cast<TJpegDest*>(Info->dest);
  d->Mgr.next_output_byte = d->Buffer;
  d->Mgr.free_in_buffer = sizeof d->Buffer;
}
boolean DestEmpty(j_compress_ptr Info) {
  auto* d = reinterpret_cast<TJpegDest*>(Info->dest);
  d->Out->insert(d->Out->end(), d->Buffer, d->Buffer + sizeof d->Buffer);
  d->Mgr.next_output_byte = d->Buffer;
  d->Mgr.free_in_buffer = sizeof d->Buffer;
  return TRUE;
}
void DestTerm(j_compress_ptr Info) {
  auto* d = reinterpret_cast<TJpegDest*>(Info->dest);
  d->Out->insert(d->Out->end(), d->Buffer, d->Buffer + (sizeof d->Buffer - d->Mgr.free_in_buffer));
}

// Adobe CMYK (stored inverted) to BGRA, in place: a row of 4-byte CMYK pixels.
void CmykToBgra(Byte* Row, Integer Width, bool Inverted) {
  for (Integer x = 0; x < Width; ++x) {
    Byte* p = Row + x * 4;
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!Inverted) { c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k; }
    p[0] = static_cast<Byte>((y * k + 127) / 255);
    p[1] = static_cast<Byte>((m * k + 127) / 255);
    p[2] = static_cast<Byte>((c * k + 127) / 255);
    p[3] = 0xFF;
  }
}

bool ReadJpeg(TJpegError& Err, const Byte* Data, std::size_t Size, TRawImage& Image, bool& Grey) {
  jpeg_decompress_struct info;
  jpeg_source_mgr src;
  info.err = &Err.Mgr;
  if (setjmp(Err.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  src.init_source = SrcInit;
  src.fill_input_buffer = SrcFill;
  src.skip_input_data = SrcSkip;
  src.resync_to_restart = jpeg_resync_to_restart;
  src.term_source = SrcTerm;
  src.next_input_byte = Data;
  src.bytes_in_buffer = Size;
  info.src = &src;
  jpeg_read_header(&info, TRUE);
  if (info.image_width > static_cast<JDIMENSION>(MaxDimension) ||
      info.image_height > static_cast<JDIMENSION>(MaxDimension) ||
      static_cast<Int64>(info.image_width) * info.image_height > MaxPixels)
    ERREXIT(&info, JERR_IMAGE_TOO_BIG);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  Grey = info.jpeg_color_space == JCS_GRAYSCALE;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  Image.SetSize(static_cast<Integer>(info.output_width), static_cast<Integer>(info.output_height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = Image.Row(static_cast<Integer>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
    if (cmyk) CmykToBgra(row, Image.Width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool WriteJpeg(TJpegError& Err, const TRawImage& Image, Integer Quality, bool Grey, TJpegDest& Dest,
               std::vector<Byte>& Line) {
  jpeg_compress_struct info;
  info.err = &Err.Mgr;
  if (setjmp(Err.Jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  Dest.Mgr.init_destination = DestInit;
  Dest.Mgr.empty_output_buffer = DestEmpty;
  Dest.Mgr.term_destination = DestTerm;
  info.dest = &Dest.Mgr;
  info.image_width = static_cast<JDIMENSION>(Image.Width);
  info.image_height = static_cast<JDIMENSION>(Image.Height);
  info.input_components = Grey ? 1 : 4;
  info.in_color_space = Grey ? JCS_GRAYSCALE : JCS_EXT_BGRA;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, Quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const Byte* src = Image.Row(static_cast<Integer>(info.next_scanline));
    JSAMPROW row;
    if (Grey) {
      for (Integer x = 0; x < Image.Width; ++x) {
        const Byte* p = src + x * 4;   // ITU-R BT.601 luma, as the decoder's conversion
        Line[x] = static_cast<Byte>((p[2] * 19595 + p[1] * 38470 + p[0] * 7471 + 32768) >> 16);
      }
      row = Line.data();
    } else {
      row = const_cast<JSAMPROW>(src);
    }
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool IsJpeg(const Byte* Data, std::size_t Size) { return Size >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF; }

TRawImage DecodeJpeg(const Byte* Data, std::size_t Size, bool* Grey) {
  if (!IsJpeg(Data, Size)) throw EInvalidGraphic(u"JPEG image is not valid: missing JPEG signature");
  TJpegError err;
  InitErrors(err);
  TRawImage image;
  bool grey = false;
  if (!ReadJpeg(err, Data, Size, image, grey)) throw EInvalidGraphic(u"JPEG image is not valid: " + UTF8ToString(err.Message));
  if (Grey) *Grey = grey;
  return image;
}

std::vector<Byte> EncodeJpeg(const TRawImage& Image, Integer Quality, bool Grey) {
  if (Image.Width <= 0 || Image.Height <= 0) throw EInvalidGraphic(u"Cannot save an empty JPEG image");
  if (Quality < 1) Quality = 1;
  if (Quality > 100) Quality = 100;
  std::vector<Byte> out;
  TJpegError err;
  InitErrors(err);
  TJpegDest dest;
  dest.Out = &out;
  std::vector<Byte> line(static_cast<std::size_t>(Image.Width));
  if (!WriteJpeg(err, Image, Quality, Grey, dest, line))
    throw EInvalidGraphic(u"JPEG image cannot be written: " + UTF8ToString(err.Message));
  return out;
}

}  // namespace ImageCodecs
