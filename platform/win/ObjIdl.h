#pragma once
// COM-style objects of the platform: the reference-counted base and byte streams, with streams over
// global memory (CreateStreamOnHGlobal) to hand bytes to libraries that read streams.
#include "platform/rtl/Guid.h"
#include "platform/win/WinBase.h"
#include "platform/win/WinError.h"
#include "platform/win/WinTypes.h"

#include <cstdint>

using LARGE_INTEGER = std::int64_t;
using ULARGE_INTEGER = std::uint64_t;

constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001);
constexpr HRESULT STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009);
constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070);

constexpr DWORD STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2;
constexpr DWORD STATFLAG_DEFAULT = 0, STATFLAG_NONAME = 1;
constexpr DWORD STGTY_STREAM = 2;

// Drag and drop: the effects a drag offers and ends with, and the results of a finished drag.
constexpr DWORD DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;
constexpr HRESULT DRAGDROP_S_DROP = static_cast<HRESULT>(0x00040100);
constexpr HRESULT DRAGDROP_S_CANCEL = static_cast<HRESULT>(0x00040101);

// {00000000-0000-0000-C000-000000000046}, {0C733A30-2A1C-11CE-ADE5-00AA0044773D}
constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_ISequentialStream{0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
constexpr IID IID_IStream{0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The reference-counted base: an object lives until its last Release.
class IUnknown {
public:
  virtual HRESULT QueryInterface(const IID& Iid, void** Object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IUnknown() = default;
};

struct STATSTG {
  LPWSTR pwcsName = nullptr;   // always nullptr here (as with STATFLAG_NONAME)
  DWORD type = STGTY_STREAM;
  ULARGE_INTEGER cbSize = 0;
  DWORD grfMode = 0;
};

class ISequentialStream : public IUnknown {
public:
  // Reads up to Count bytes; *Read (optional) gets the number read, 0 at the end (still S_OK).
  virtual HRESULT Read(void* Buffer, ULONG Count, ULONG* Read) = 0;
  virtual HRESULT Write(const void* Buffer, ULONG Count, ULONG* Written) = 0;

protected:
  ~ISequentialStream() = default;
};

class IStream : public ISequentialStream {
public:
  // Moves the position (STREAM_SEEK_*); a position before the start fails with STG_E_INVALIDFUNCTION.
  virtual HRESULT Seek(LARGE_INTEGER Move, DWORD Origin, ULARGE_INTEGER* NewPosition) = 0;
  virtual HRESULT SetSize(ULARGE_INTEGER NewSize) = 0;
  virtual HRESULT Stat(STATSTG* Stat, DWORD Flags) = 0;

protected:
  ~IStream() = default;
};

// A stream over the bytes of a global memory block (a new empty block when AGlobal is nullptr); its
// size is the block's size and grows with writes past the end. With ADeleteOnRelease the block is
// freed with the stream's last Release. S_OK and the stream in *AStream (one reference).
HRESULT CreateStreamOnHGlobal(HGLOBAL AGlobal, BOOL ADeleteOnRelease, IStream** AStream);
// The block under a stream made by CreateStreamOnHGlobal (it moves when the stream grows).
HRESULT GetHGlobalFromStream(IStream* AStream, HGLOBAL* AGlobal);
