#include "platform/rtl/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

// ---------------------------------------------------------------------------------------------
// TStream
// ---------------------------------------------------------------------------------------------
namespace {

void CheckRange(const TBytes& Buffer, Int64 Offset, Int64 Count) {
  if (Offset < 0 || Count < 0 || Offset + Count > static_cast<Int64>(Buffer.size()))
    throw EArgumentOutOfRangeException(u"Argument out of range");
}

}  // namespace

Int64 TStream::Read(TBytes& Buffer, Int64 Offset, Int64 Count) {
  CheckRange(Buffer, Offset, Count);
  return Read(Buffer.data() + Offset, Count);
}

Int64 TStream::Write(const TBytes& Buffer, Int64 Offset, Int64 Count) {
  CheckRange(Buffer, Offset, Count);
  return Write(Buffer.data() + Offset, Count);
}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
  auto* p = static_cast<Byte*>(Buffer);
  while (Count > 0) {
    Int64 n = Read(p, Count);
    if (n <= 0) throw EReadError(u"Stream read error");
    p += n;
    Count -= n;
  }
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
  auto* p = static_cast<const Byte*>(Buffer);
  while (Count > 0) {
    Int64 n = Write(p, Count);
    if (n <= 0) throw EWriteError(u"Stream write error");
    p += n;
    Count -= n;
  }
}

void TStream::ReadBuffer(TBytes& Buffer, Int64 Offset, Int64 Count) {
  CheckRange(Buffer, Offset, Count);
  ReadBuffer(Buffer.data() + Offset, Count);
}

void TStream::WriteBuffer(const TBytes& Buffer, Int64 Offset, Int64 Count) {
  CheckRange(Buffer, Offset, Count);
  WriteBuffer(Buffer.data() + Offset, Count);
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count <= 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  const Int64 total = Count;
  constexpr Int64 BufSize = 64 * 1024;
  TBytes buffer(static_cast<std::size_t>(std::min(Count, BufSize)));
  while (Count > 0) {
    const Int64 n = std::min(Count, BufSize);
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return total;
}

Int64 TStream::GetSize() {
  const Int64 pos = Seek(0, soCurrent);
  const Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

// ---------------------------------------------------------------------------------------------
// THandleStream, TFileStream
// ---------------------------------------------------------------------------------------------
Int64 THandleStream::Read(void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  ssize_t n;
  do n = ::read(FHandle, Buffer, static_cast<std::size_t>(Count));
  while (n < 0 && errno == EINTR);
  return n < 0 ? 0 : n;
}

Int64 THandleStream::Write(const void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  ssize_t n;
  do n = ::write(FHandle, Buffer, static_cast<std::size_t>(Count));
  while (n < 0 && errno == EINTR);
  return n < 0 ? 0 : n;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t r = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
  return r < 0 ? -1 : r;
}

void THandleStream::SetSize(Int64 NewSize) {
  Seek(NewSize, soBeginning);
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    throw EStreamError(u"Stream size error: " + UTF8ToString(strerrordesc_np(errno)));
}

namespace {

int OpenFile(const String& FileName, Word Mode) {
  const UTF8String path = UTF8Encode(FileName);
  if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate)
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  int flags = O_CLOEXEC;
  switch (Mode & 3) {
    case fmOpenWrite: flags |= O_WRONLY; break;
    case fmOpenReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
  }
  int fd = ::open(path.c_str(), flags);
  if (fd >= 0) {
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      errno = EISDIR;
      return -1;
    }
  }
  return fd;
}

}  // namespace

TFileStream::TFileStream(const String& AFileName, Word Mode)
    : THandleStream(OpenFile(AFileName, Mode)), FFileName(AFileName) {
  if (FHandle < 0) {
    const String reason = UTF8ToString(strerrordesc_np(errno));
    if ((Mode & 0xFF00) == fmCreate)
      throw EFCreateError(u"Cannot create file \"" + AFileName + u"\". " + reason);
    throw EFOpenError(u"Cannot open file \"" + AFileName + u"\". " + reason);
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

// ---------------------------------------------------------------------------------------------
// Memory streams
// ---------------------------------------------------------------------------------------------
Int64 TCustomMemoryStream::Read(void* Buffer, Int64 Count) {
  if (FPosition < 0 || Count <= 0 || FPosition >= FSize) return 0;
  const Int64 n = std::min(Count, FSize - FPosition);
  std::memcpy(Buffer, FMemory + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

TMemoryStream::~TMemoryStream() { std::free(FMemory); }

void TMemoryStream::SetCapacity(Int64 NewCapacity) {
  if (NewCapacity == FCapacity) return;
  if (NewCapacity <= 0) {
    std::free(FMemory);
    FMemory = nullptr;
    FCapacity = 0;
    return;
  }
  void* p = std::realloc(FMemory, static_cast<std::size_t>(NewCapacity));
  if (!p) throw EOutOfMemory(u"Out of memory while expanding memory stream");
  FMemory = static_cast<Byte*>(p);
  FCapacity = NewCapacity;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) NewSize = 0;
  const Int64 oldSize = FSize;
  if (NewSize > FCapacity) SetCapacity(NewSize);
  if (NewSize > oldSize) std::memset(FMemory + oldSize, 0, static_cast<std::size_t>(NewSize - oldSize));
  FSize = NewSize;
  if (FPosition > NewSize) FPosition = NewSize;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  const Int64 end = FPosition + Count;
  if (end > FSize) {
    if (end > FCapacity) SetCapacity(std::max(end, FCapacity + FCapacity / 2 + 256));
    // Bytes between the old end and a position beyond it read as zero.
    if (FPosition > FSize) std::memset(FMemory + FSize, 0, static_cast<std::size_t>(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(FMemory + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::Clear() {
  SetCapacity(0);
  FSize = 0;
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  const Int64 count = Stream->GetSize();
  SetSize(count);
  if (count != 0) Stream->ReadBuffer(FMemory, count);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

TBytesStream::TBytesStream(const TBytes& ABytes) {
  if (!ABytes.empty()) {
    WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
    SetPosition(0);
  }
}

TBytes TBytesStream::GetBytes() const {
  return FSize ? TBytes(FMemory, FMemory + FSize) : TBytes();
}

TStringStream::TStringStream() : FEncoding(TEncoding::Default()) {}

TStringStream::TStringStream(const String& AString) : TStringStream(AString, TEncoding::Default()) {}

TStringStream::TStringStream(const String& AString, TEncoding* AEncoding)
    : FEncoding(AEncoding ? AEncoding : TEncoding::Default()) {
  WriteString(AString);
  SetPosition(0);
}

TStringStream::TStringStream(const TBytes& ABytes) : TBytesStream(ABytes), FEncoding(nullptr) {
  TEncoding::GetBufferEncoding(ABytes, FEncoding, TEncoding::Default());
}

String TStringStream::GetDataString() const { return FEncoding->GetString(FMemory, static_cast<std::size_t>(FSize)); }

String TStringStream::ReadString(Int64 Count) {
  if (FPosition < 0 || FPosition >= FSize || Count <= 0) return String();
  const Int64 n = std::min(Count, FSize - FPosition);
  String s = FEncoding->GetString(FMemory + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return s;
}

void TStringStream::WriteString(const String& AString) {
  const TBytes bytes = FEncoding->GetBytes(AString);
  WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

// ---------------------------------------------------------------------------------------------
// Resources
// ---------------------------------------------------------------------------------------------
namespace {

String ResKey(StringView Name, StringView ResType) {
  String key;
  key.reserve(Name.size() + ResType.size() + 1);
  for (Char c : ResType) key += CharUpper(c);
  key += u'\0';
  for (Char c : Name) key += CharUpper(c);
  return key;
}

struct ResourceTable {
  std::mutex Lock;
  std::map<String, std::span<const Byte>> Entries;
};

ResourceTable& Resources() {
  static ResourceTable table;
  return table;
}

}  // namespace

String ResourceIdName(Integer Id) {
  String name(1, u'#');
  name += IntToStr(Id);
  return name;
}

void RegisterResource(StringView Name, StringView ResType, std::span<const Byte> Data) {
  auto& t = Resources();
  std::lock_guard lock(t.Lock);
  t.Entries[ResKey(Name, ResType)] = Data;
}

void RegisterResource(Integer Id, StringView ResType, std::span<const Byte> Data) {
  RegisterResource(ResourceIdName(Id), ResType, Data);
}

bool FindResourceData(StringView Name, StringView ResType, std::span<const Byte>& Data) {
  auto& t = Resources();
  std::lock_guard lock(t.Lock);
  auto it = t.Entries.find(ResKey(Name, ResType));
  if (it == t.Entries.end()) return false;
  Data = it->second;
  return true;
}

bool FindResourceData(Integer Id, StringView ResType, std::span<const Byte>& Data) {
  return FindResourceData(ResourceIdName(Id), ResType, Data);
}

TResourceStream::TResourceStream(const void* Instance, StringView ResName, StringView ResType) {
  (void)Instance;
  std::span<const Byte> data;
  if (!FindResourceData(ResName, ResType, data)) throw EResNotFound(u"Resource " + String(ResName) + u" not found");
  SetPointer(const_cast<Byte*>(data.data()), static_cast<Int64>(data.size()));
}

TResourceStream::TResourceStream(const void* Instance, Integer ResID, StringView ResType)
    : TResourceStream(Instance, StringView(ResourceIdName(ResID)), ResType) {}

Int64 TResourceStream::Write(const void* Buffer, Int64 Count) {
  (void)Buffer;
  (void)Count;
  throw EStreamError(u"Can't write to a read-only resource stream");
}
