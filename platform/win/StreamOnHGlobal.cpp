// Streams over global memory blocks.
#include "platform/win/ObjIdl.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

namespace {

class THGlobalStream final : public IStream {
public:
  THGlobalStream(HGLOBAL AGlobal, bool ADeleteOnRelease)
      : FGlobal(AGlobal), FSize(GlobalSize(AGlobal)), FDeleteOnRelease(ADeleteOnRelease) {}

  HRESULT QueryInterface(const IID& Iid, void** Object) override {
    if (!Object) return E_POINTER;
    if (Iid == IID_IUnknown || Iid == IID_ISequentialStream || Iid == IID_IStream) {
      *Object = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++FReferences; }
  ULONG Release() override {
    ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }

  HRESULT Read(void* Buffer, ULONG Count, ULONG* Read) override {
    if (!Buffer && Count) return STG_E_INVALIDPOINTER;
    std::size_t n = FPosition < FSize ? std::min<std::size_t>(Count, FSize - FPosition) : 0;
    if (n) {
      auto* data = static_cast<const std::uint8_t*>(GlobalLock(FGlobal));
      std::memcpy(Buffer, data + FPosition, n);
      GlobalUnlock(FGlobal);
      FPosition += n;
    }
    if (Read) *Read = static_cast<ULONG>(n);
    return S_OK;
  }

  HRESULT Write(const void* Buffer, ULONG Count, ULONG* Written) override {
    if (Written) *Written = 0;
    if (!Buffer && Count) return STG_E_INVALIDPOINTER;
    if (Count == 0) return S_OK;
    std::size_t end = FPosition + Count;
    if (end > FSize && !Resize(end, true)) return STG_E_MEDIUMFULL;
    auto* data = static_cast<std::uint8_t*>(GlobalLock(FGlobal));
    std::memcpy(data + FPosition, Buffer, Count);
    GlobalUnlock(FGlobal);
    FPosition = end;
    if (Written) *Written = Count;
    return S_OK;
  }

  HRESULT Seek(LARGE_INTEGER Move, DWORD Origin, ULARGE_INTEGER* NewPosition) override {
    std::int64_t base = 0;
    switch (Origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(FPosition); break;
      case STREAM_SEEK_END: base = static_cast<std::int64_t>(FSize); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    if ((Move < 0 && base + Move < 0) || (Move > 0 && base > std::numeric_limits<std::int64_t>::max() - Move))
      return STG_E_INVALIDFUNCTION;
    FPosition = static_cast<std::size_t>(base + Move);
    if (NewPosition) *NewPosition = FPosition;
    return S_OK;
  }

  HRESULT SetSize(ULARGE_INTEGER NewSize) override {
    if (NewSize > std::numeric_limits<std::size_t>::max() / 2) return STG_E_MEDIUMFULL;
    return Resize(static_cast<std::size_t>(NewSize), false) ? S_OK : STG_E_MEDIUMFULL;
  }

  HRESULT Stat(STATSTG* Stat, DWORD) override {
    if (!Stat) return STG_E_INVALIDPOINTER;
    *Stat = STATSTG{};
    Stat->cbSize = FSize;
    return S_OK;
  }

  HGLOBAL Global() const { return FGlobal; }

private:
  ~THGlobalStream() {
    if (FDeleteOnRelease) GlobalFree(FGlobal);
  }

  // New logical size; the block grows geometrically when AGrowing, so a run of writes stays linear.
  bool Resize(std::size_t ASize, bool AGrowing) {
    std::size_t capacity = GlobalSize(FGlobal);
    if (ASize > capacity || !AGrowing) {
      std::size_t want = AGrowing ? std::max(ASize, capacity + capacity / 2) : ASize;
      HGLOBAL moved = GlobalReAlloc(FGlobal, want, GMEM_MOVEABLE | GMEM_ZEROINIT);
      if (!moved) return false;
      FGlobal = moved;
    }
    FSize = ASize;
    return true;
  }

  HGLOBAL FGlobal;
  std::size_t FSize;
  std::size_t FPosition = 0;
  bool FDeleteOnRelease;
  std::atomic<ULONG> FReferences{1};
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL AGlobal, BOOL ADeleteOnRelease, IStream** AStream) {
  if (!AStream) return E_INVALIDARG;
  *AStream = nullptr;
  if (!AGlobal) {
    AGlobal = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!AGlobal) return E_OUTOFMEMORY;
  } else if (!GlobalLock(AGlobal)) {
    return E_INVALIDARG;
  } else {
    GlobalUnlock(AGlobal);
  }
  *AStream = new THGlobalStream(AGlobal, ADeleteOnRelease != 0);
  return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* AStream, HGLOBAL* AGlobal) {
  if (!AGlobal) return E_INVALIDARG;
  auto* stream = dynamic_cast<THGlobalStream*>(AStream);
  if (!stream) return E_INVALIDARG;
  *AGlobal = stream->Global();
  return S_OK;
}
