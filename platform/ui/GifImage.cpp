// TGIFImage: decoded record by record from memory, so that every size is checked before a
// raster is allocated; frames kept as clipped colour indices and composed on demand.
#include "platform/ui/GifImage.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "platform/ui/ImageCodecs.h"

using ImageCodecs::TRawImage;

namespace {

bool IsGif(const Byte* Data, std::size_t Size) {
  return Size >= 6 && (std::memcmp(Data, "GIF87a", 6) == 0 || std::memcmp(Data, "GIF89a", 6) == 0);
}

[[noreturn]] void GifFailed(int ErrorCode) {
  const char* text = GifErrorString(ErrorCode);
  throw EInvalidGraphic(u"GIF image is not valid: " + UTF8ToString(text ? text : "unknown error"));
}

[[noreturn]] void TooLarge(const char* What, Int64 Width, Int64 Height) {
  throw EInvalidGraphic(u"GIF image is too large: " + UTF8ToString(What) + u" of " + IntToStr(Width) + u" x " +
                        IntToStr(Height) + u" pixels");
}

struct TSource {
  const Byte* Data;
  std::size_t Size;
  std::size_t Pos = 0;
};

int ReadSource(GifFileType* Gif, GifByteType* Buffer, int Length) {
  auto* source = static_cast<TSource*>(Gif->UserData);
  const std::size_t count = std::min(static_cast<std::size_t>(std::max(Length, 0)), source->Size - source->Pos);
  std::memcpy(Buffer, source->Data + source->Pos, count);
  source->Pos += count;
  return static_cast<int>(count);
}

struct TGifCloser {
  void operator()(GifFileType* Gif) const {
    int error = 0;
    DGifCloseFile(Gif, &error);
  }
};
using TGifFile = std::unique_ptr<GifFileType, TGifCloser>;

void Check(GifFileType* Gif, int Result) {
  if (Result == GIF_ERROR) GifFailed(Gif->Error);
}

TGIFDisposal DisposalOf(int Mode) {
  switch (Mode) {
    case DISPOSE_DO_NOT: return gdKeep;
    case DISPOSE_BACKGROUND: return gdBackground;
    case DISPOSE_PREVIOUS: return gdPrevious;
    default: return gdUnspecified;
  }
}

// 256 B, G, R, A entries from a colour map; entries it lacks are opaque black.
std::vector<Byte> PaletteOf(const ColorMapObject* Map) {
  std::vector<Byte> palette(256 * 4, 0);
  for (std::size_t i = 0; i < 256; ++i) palette[i * 4 + 3] = 0xFF;
  if (!Map || !Map->Colors) return palette;
  const int count = std::clamp(Map->ColorCount, 0, 256);
  for (int i = 0; i < count; ++i) {
    palette[i * 4 + 0] = Map->Colors[i].Blue;
    palette[i * 4 + 1] = Map->Colors[i].Green;
    palette[i * 4 + 2] = Map->Colors[i].Red;
  }
  return palette;
}

// The rows of an image in the order they are stored: one pass, or the four passes of an
// interlaced image.
std::vector<Integer> RowOrder(Integer Height, bool Interlaced) {
  std::vector<Integer> rows;
  rows.reserve(static_cast<std::size_t>(Height));
  if (!Interlaced) {
    for (Integer y = 0; y < Height; ++y) rows.push_back(y);
    return rows;
  }
  static constexpr Integer start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (Integer y = start[pass]; y < Height; y += step[pass]) rows.push_back(y);
  return rows;
}

// Reads past an image that has no pixels.
void SkipImageData(GifFileType* Gif) {
  int codeSize = 0;
  GifByteType* block = nullptr;
  Check(Gif, DGifGetCode(Gif, &codeSize, &block));
  while (block) Check(Gif, DGifGetCodeNext(Gif, &block));
}

}  // namespace

struct TGIFImage::TDecoded {
  Integer Width = 0;
  Integer Height = 0;
  std::vector<TFrame> Frames;
};

namespace {

class TGifDecoder {
public:
  TGifDecoder(const Byte* Data, std::size_t Size) : FSource{Data, Size} {}

  template <class TDecoded, class TFrame>
  void Run(TDecoded& Out) {
    int error = 0;
    FGif.reset(DGifOpen(&FSource, ReadSource, &error));
    if (!FGif) GifFailed(error);
    Out.Width = FGif->SWidth;
    Out.Height = FGif->SHeight;
    if (Int64(Out.Width) * Out.Height > TGIFImage::MaxPixels) TooLarge("logical screen", Out.Width, Out.Height);
    if (Out.Width <= 0 || Out.Height <= 0) throw EInvalidGraphic(u"GIF image is not valid: empty logical screen");
    for (;;) {
      GifRecordType record = UNDEFINED_RECORD_TYPE;
      Check(FGif.get(), DGifGetRecordType(FGif.get(), &record));
      if (record == TERMINATE_RECORD_TYPE) break;
      if (record == EXTENSION_RECORD_TYPE) ReadExtension();
      else if (record == IMAGE_DESC_RECORD_TYPE) Out.Frames.push_back(ReadFrame<TFrame>(Out.Width, Out.Height));
    }
    if (Out.Frames.empty()) throw EInvalidGraphic(u"GIF image is not valid: it holds no image");
  }

private:
  void ReadExtension() {
    GifFileType* gif = FGif.get();
    int code = 0;
    GifByteType* block = nullptr;
    Check(gif, DGifGetExtension(gif, &code, &block));
    GraphicsControlBlock control;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4 &&
        DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
      FControl = control;
      FHasControl = true;
    }
    while (block) Check(gif, DGifGetExtensionNext(gif, &block));
  }

  template <class TFrame>
  TFrame ReadFrame(Integer ScreenWidth, Integer ScreenHeight) {
    GifFileType* gif = FGif.get();
    Check(gif, DGifGetImageDesc(gif));
    const GifImageDesc& desc = gif->Image;
    if (Int64(desc.Width) * desc.Height > TGIFImage::MaxPixels) TooLarge("frame", desc.Width, desc.Height);
    TFrame frame;
    const TRect bounds{std::min(desc.Left, ScreenWidth), std::min(desc.Top, ScreenHeight),
                       std::min(desc.Left + desc.Width, ScreenWidth), std::min(desc.Top + desc.Height, ScreenHeight)};
    frame.Info.Bounds = bounds;
    if (FHasControl) {
      frame.Info.Delay = FControl.DelayTime;
      frame.Info.Disposal = DisposalOf(FControl.DisposalMode);
      frame.Info.TransparentIndex = FControl.TransparentColor;
      FHasControl = false;   // a control block applies to the image that follows it only
    }
    frame.Palette = PaletteOf(desc.ColorMap ? desc.ColorMap : gif->SColorMap);
    const Integer width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    FTotalPixels += Int64(width) * height;
    if (FTotalPixels > TGIFImage::MaxTotalPixels)
      throw EInvalidGraphic(u"GIF image is too large: its frames hold more than " + IntToStr(TGIFImage::MaxTotalPixels) + u" pixels");
    if (desc.Width <= 0 || desc.Height <= 0) {
      SkipImageData(gif);
      return frame;
    }
    frame.Indices.assign(static_cast<std::size_t>(width) * height, 0);
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    for (Integer row : RowOrder(desc.Height, desc.Interlace)) {
      Check(gif, DGifGetLine(gif, line.data(), desc.Width));
      const Integer y = desc.Top + row - bounds.top;
      if (y < 0 || y >= height || width <= 0) continue;
      std::memcpy(frame.Indices.data() + static_cast<std::size_t>(y) * width, line.data(), static_cast<std::size_t>(width));
    }
    return frame;
  }

  TSource FSource;
  TGifFile FGif;
  GraphicsControlBlock FControl{};
  bool FHasControl = false;
  Int64 FTotalPixels = 0;
};

}  // namespace

TGIFImage::TGIFImage() = default;

TGIFImage::~TGIFImage() = default;

bool TGIFImage::GetEmpty() { return FFrames.empty(); }
Integer TGIFImage::GetWidth() { return FWidth; }
Integer TGIFImage::GetHeight() { return FHeight; }

bool TGIFImage::GetTransparent() const {
  if (FFrames.empty()) return false;
  return Composed().HasAlpha;
}

void TGIFImage::Changed(TObject* Sender) {
  FDrawCache.reset();
  inherited::Changed(Sender);
}

void TGIFImage::Clear() {
  FData.clear();
  FWidth = FHeight = 0;
  FFrames.clear();
  FFrameIndex = 0;
  FScreen.reset();
  FSaved.reset();
  FComposedIndex = -1;
}

void TGIFImage::TakeDecoded(TDecoded&& Decoded) {
  FWidth = Decoded.Width;
  FHeight = Decoded.Height;
  FFrames = std::move(Decoded.Frames);
}

void TGIFImage::SetFrameIndex(Integer Value) {
  if (Value < 0 || Value >= GetFrameCount() || Value == FFrameIndex) return;
  FFrameIndex = Value;
  Changed(this);
}

const TGIFFrameInfo& TGIFImage::GetFrameInfo(Integer Index) const {
  if (Index < 0 || Index >= GetFrameCount()) throw EInvalidGraphic(u"GIF frame index out of range");
  return FFrames[static_cast<std::size_t>(Index)].Info;
}

void TGIFImage::DisposeFrame(const TFrame& Frame) const {
  const TRect& r = Frame.Info.Bounds;
  if (Frame.Info.Disposal == gdBackground) {
    for (Integer y = r.top; y < r.bottom; ++y)
      std::fill_n(FScreen->Row(y) + r.left * 4, static_cast<std::size_t>(r.right - r.left) * 4, Byte(0));
  } else if (Frame.Info.Disposal == gdPrevious && FSaved) {
    *FScreen = *FSaved;
  }
}

void TGIFImage::PaintFrame(const TFrame& Frame) const {
  const TRect& r = Frame.Info.Bounds;
  const Integer width = r.right - r.left;
  const Integer transparent = Frame.Info.TransparentIndex;
  for (Integer y = r.top; y < r.bottom; ++y) {
    const Byte* indices = Frame.Indices.data() + static_cast<std::size_t>(y - r.top) * width;
    Byte* out = FScreen->Row(y) + r.left * 4;
    for (Integer x = 0; x < width; ++x, out += 4)
      if (indices[x] != transparent) std::memcpy(out, Frame.Palette.data() + indices[x] * 4, 4);
  }
}

const TRawImage& TGIFImage::Composed() const {
  if (!FScreen || FComposedIndex > FFrameIndex) {
    FScreen = std::make_unique<TRawImage>();
    FScreen->SetSize(FWidth, FHeight);
    std::fill(FScreen->Pixels.begin(), FScreen->Pixels.end(), Byte(0));
    FSaved.reset();
    FComposedIndex = -1;
  }
  while (FComposedIndex < FFrameIndex) {
    if (FComposedIndex >= 0) DisposeFrame(FFrames[static_cast<std::size_t>(FComposedIndex)]);
    const TFrame& next = FFrames[static_cast<std::size_t>(++FComposedIndex)];
    if (next.Info.Disposal == gdPrevious) FSaved = std::make_unique<TRawImage>(*FScreen);
    PaintFrame(next);
  }
  FScreen->HasAlpha = false;
  for (std::size_t i = 3; i < FScreen->Pixels.size(); i += 4)
    if (FScreen->Pixels[i] != 0xFF) {
      FScreen->HasAlpha = true;
      break;
    }
  return *FScreen;
}

TColor TGIFImage::GetPixels(Integer X, Integer Y) const {
  if (FFrames.empty() || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clNone;
  const Byte* p = Composed().Row(Y) + X * 4;
  return static_cast<TColor>(RGB(p[2], p[1], p[0]));
}

Byte TGIFImage::GetAlpha(Integer X, Integer Y) const {
  if (FFrames.empty() || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  return Composed().Row(Y)[X * 4 + 3];
}

void TGIFImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty()) return;
  if (!FDrawCache) {
    const TRawImage& screen = Composed();
    FDrawCache = std::make_unique<TBitmap>();
    FDrawCache->LoadFromRaw(screen, screen.HasAlpha);
  }
  FDrawCache->Draw(ACanvas, Rect);
}

void TGIFImage::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    Changed(this);
  } else if (auto* gif = dynamic_cast<TGIFImage*>(Source)) {
    if (gif != this) {
      Clear();
      FData = gif->FData;
      FWidth = gif->FWidth;
      FHeight = gif->FHeight;
      FFrames = gif->FFrames;
      FFrameIndex = gif->FFrameIndex;
    }
    Changed(this);
  } else {
    inherited::Assign(Source);
  }
}

void TGIFImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    if (FFrames.empty()) bitmap->Assign(nullptr);
    else bitmap->LoadFromRaw(Composed(), true);
  } else {
    inherited::AssignTo(Dest);
  }
}

bool TGIFImage::CanLoadFromStream(TStream* Stream) { return ImageCodecs::PeekSignature(Stream, 6, IsGif); }

void TGIFImage::LoadFromStream(TStream* Stream) {
  std::vector<Byte> data = ImageCodecs::ReadToEnd(Stream);
  Clear();
  Changed(this);
  if (!IsGif(data.data(), data.size())) throw EInvalidGraphic(u"GIF image is not valid: missing GIF signature");
  TDecoded decoded;
  TGifDecoder(data.data(), data.size()).Run<TDecoded, TFrame>(decoded);
  TakeDecoded(std::move(decoded));
  FData = std::move(data);
  Changed(this);
}

void TGIFImage::SaveToStream(TStream* Stream) {
  if (FData.empty()) return;
  Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}
