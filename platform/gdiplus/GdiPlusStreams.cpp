// Images from and to the platform's IStream through libgdiplus's callback streams. The callbacks
// reach the stream of the call in progress on their thread; the image is decoded before the call
// returns, so the stream may go right after it.
#include <limits>

#include "platform/gdiplus/GdiPlusInternal.h"

namespace gdip::bridge {

namespace {

thread_local IStream* gStream = nullptr;

// Makes AStream the current stream for the duration of one library call.
class TCurrentStream {
public:
  explicit TCurrentStream(IStream* AStream) : FPrevious(gStream) { gStream = AStream; }
  ~TCurrentStream() { gStream = FPrevious; }
  TCurrentStream(const TCurrentStream&) = delete;
  TCurrentStream& operator=(const TCurrentStream&) = delete;

private:
  IStream* FPrevious;
};

long Position() {
  ULARGE_INTEGER position = 0;
  if (FAILED(gStream->Seek(0, STREAM_SEEK_CUR, &position))) return -1;
  return static_cast<long>(position);
}

int ReadBytes(BYTE* ABuffer, int ASize, BOOL APeek) {
  if (!gStream || !ABuffer || ASize <= 0) return 0;
  long start = APeek ? Position() : 0;
  ULONG read = 0;
  if (FAILED(gStream->Read(ABuffer, static_cast<ULONG>(ASize), &read))) return -1;
  if (APeek) gStream->Seek(start, STREAM_SEEK_SET, nullptr);
  return static_cast<int>(read);
}

// The first bytes, for recognising the format; the next read starts with them again.
int GetHeader(BYTE* ABuffer, int ASize) { return ReadBytes(ABuffer, ASize, 1); }

int GetBytes(BYTE* ABuffer, int ASize, BOOL APeek) { return ReadBytes(ABuffer, ASize, APeek); }

int PutBytes(BYTE* ABuffer, int ASize) {
  if (!gStream || !ABuffer || ASize < 0) return -1;
  ULONG written = 0;
  if (FAILED(gStream->Write(ABuffer, static_cast<ULONG>(ASize), &written))) return -1;
  return static_cast<int>(written);
}

long Seek(int AOffset, int AWhence) {
  if (!gStream || AWhence < 0 || AWhence > 2) return -1;
  ULARGE_INTEGER position = 0;
  if (FAILED(gStream->Seek(AOffset, static_cast<DWORD>(AWhence), &position))) return -1;
  return static_cast<long>(position);
}

void Close() {}

long StreamSize() {
  STATSTG stat;
  if (!gStream || FAILED(gStream->Stat(&stat, STATFLAG_NONAME))) return -1;
  return stat.cbSize > static_cast<ULARGE_INTEGER>(std::numeric_limits<long>::max()) ? -1 : static_cast<long>(stat.cbSize);
}

Status LoadImageFromStream(IStream* AStream, GpImage** AImage) {
  if (!AImage) return InvalidParameter;
  *AImage = nullptr;
  if (!AStream) return InvalidParameter;
  if (!Lib().LoadImageFromDelegate) return NotImplemented;
  TCurrentStream current(AStream);
  return Lib().LoadImageFromDelegate(&GetHeader, &GetBytes, &PutBytes, &Seek, &Close, &StreamSize, AImage);
}

}  // namespace

Status BitmapFromStream(IStream* AStream, GpBitmap** ABitmap) {
  if (!ABitmap) return InvalidParameter;
  GpImage* image = nullptr;
  Status status = LoadImageFromStream(AStream, &image);
  *ABitmap = nullptr;
  if (status != Ok) return status;
  ImageType type = ImageTypeUnknown;
  Lib().GdipGetImageType(image, &type);
  if (type != ImageTypeBitmap) {
    Lib().GdipDisposeImage(image);
    return InvalidParameter;
  }
  *ABitmap = static_cast<GpBitmap*>(image);
  return Ok;
}

namespace {

Status SaveImageToStream(GpImage* AImage, IStream* AStream, const CLSID* AEncoder, const EncoderParameters* AParams) {
  if (!AImage || !AStream || !AEncoder) return InvalidParameter;
  if (!Lib().SaveImageToDelegate) return NotImplemented;
  TCurrentStream current(AStream);
  return Lib().SaveImageToDelegate(AImage, &GetBytes, &PutBytes, &Seek, &Close, &StreamSize, AEncoder, AParams);
}

}  // namespace

std::vector<TOverride> StreamOverrides() {
  return {Override("GdipLoadImageFromStream", &LoadImageFromStream),
          Override("GdipLoadImageFromStreamICM", &LoadImageFromStream),
          Override("GdipCreateBitmapFromStream", &BitmapFromStream),
          Override("GdipCreateBitmapFromStreamICM", &BitmapFromStream),
          Override("GdipSaveImageToStream", &SaveImageToStream)};
}

}  // namespace gdip::bridge
