#pragma once
// Streams: the abstract TStream, memory, byte, string, file and resource streams, and the program's
// resource table.
#include <cstddef>
#include <memory>
#include <span>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

ZELK_DECLARE_EXCEPTION(EResNotFound, Exception)

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
// The old origin names; Seek takes either.
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
  ZELK_CLASS(TStream, TObject)
public:
  // Reads up to Count bytes at the position; returns how many were read (0 at the end).
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  // Writes up to Count bytes at the position; returns how many were written.
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  // Moves the position; returns the new one.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

  Int64 Read(TBytes& Buffer, Int64 Offset, Int64 Count);
  Int64 Write(const TBytes& Buffer, Int64 Offset, Int64 Count);
  // Exactly Count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* Buffer, Int64 Count);
  void WriteBuffer(const void* Buffer, Int64 Count);
  void ReadBuffer(TBytes& Buffer, Int64 Count) { ReadBuffer(Buffer, 0, Count); }
  void ReadBuffer(TBytes& Buffer, Int64 Offset, Int64 Count);
  void WriteBuffer(const TBytes& Buffer, Int64 Count) { WriteBuffer(Buffer, 0, Count); }
  void WriteBuffer(const TBytes& Buffer, Int64 Offset, Int64 Count);

  // Copies Count bytes from Source's position; Count <= 0 copies all of Source from position 0.
  // Returns the number of bytes copied.
  Int64 CopyFrom(TStream* Source, Int64 Count = 0);

  Int64 GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 GetSize();
  virtual void SetSize(Int64 NewSize) { (void)NewSize; }
};

// A stream over an operating-system file descriptor. Takes no ownership of the handle.
class THandleStream : public TStream {
  ZELK_CLASS(THandleStream, TStream)
public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  using TStream::Read;
  using TStream::Write;
  void SetSize(Int64 NewSize) override;   // EStreamError when the file cannot be resized
  int GetHandle() const { return FHandle; }

protected:
  int FHandle;
};

// Open modes of TFileStream.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A file opened by name. fmCreate creates or truncates (read and write); the share modes are
// accepted and not enforced. Failure raises EFCreateError "Cannot create file "<name>". <reason>"
// or EFOpenError "Cannot open file "<name>". <reason>". The file closes with the object.
class TFileStream : public THandleStream {
  ZELK_CLASS(TFileStream, THandleStream)
public:
  TFileStream(const String& AFileName, Word Mode);
  ~TFileStream() override;
  const String& GetFileName() const { return FFileName; }

private:
  String FFileName;
};

// A stream over a block of memory it does not grow; base of the memory and resource streams.
class TCustomMemoryStream : public TStream {
  ZELK_CLASS(TCustomMemoryStream, TStream)
public:
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  using TStream::Read;
  Int64 GetSize() override { return FSize; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);
  void* GetMemory() const { return FMemory; }
  Pointer Memory() const { return FMemory; }

protected:
  void SetPointer(void* Ptr, Int64 Size) {
    FMemory = static_cast<Byte*>(Ptr);
    FSize = Size;
  }
  Byte* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;
};

// A growing stream in memory.
class TMemoryStream : public TCustomMemoryStream {
  ZELK_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  using TStream::Write;
  void SetSize(Int64 NewSize) override;   // keeps the position unless it lies past the new end
  void Clear();
  // Replaces the content with the whole of Stream (from its position 0) or of the file.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  Int64 GetCapacity() const { return FCapacity; }
  void SetCapacity(Int64 NewCapacity);

private:
  Int64 FCapacity = 0;
};

// A memory stream whose content is a TBytes.
class TBytesStream : public TMemoryStream {
  ZELK_CLASS(TBytesStream, TMemoryStream)
public:
  TBytesStream() = default;
  explicit TBytesStream(const TBytes& ABytes);
  // The content (Size bytes).
  TBytes GetBytes() const;
};

// A memory stream holding text in an encoding (TEncoding::Default unless given).
class TStringStream : public TBytesStream {
  ZELK_CLASS(TStringStream, TBytesStream)
public:
  TStringStream();
  explicit TStringStream(const String& AString);
  TStringStream(const String& AString, TEncoding* AEncoding);
  explicit TStringStream(const TBytes& ABytes);   // the encoding is found from a BOM, else Default
  // The whole content decoded.
  String GetDataString() const;
  String DataString() const { return GetDataString(); }
  TEncoding* GetEncoding() const { return FEncoding; }
  // Count bytes from the position decoded (fewer at the end).
  String ReadString(Int64 Count);
  // Writes the encoded text at the position.
  void WriteString(const String& AString);

private:
  TEncoding* FEncoding;
};

// ---------------------------------------------------------------------------------------------
// Resources: named (or numbered) blocks of bytes of a type, compiled into the program by the
// build (zelk_resources in CMake) or registered at run time. Names and types compare without
// regard to case; a number N is the name "#N". There is one table per program, so the module
// instance passed to the lookups is not consulted.
// ---------------------------------------------------------------------------------------------
inline constexpr const Char* RT_CURSOR = u"#1";
inline constexpr const Char* RT_BITMAP = u"#2";
inline constexpr const Char* RT_ICON = u"#3";
inline constexpr const Char* RT_STRING = u"#6";
inline constexpr const Char* RT_RCDATA = u"#10";
inline constexpr const Char* RT_GROUP_CURSOR = u"#12";
inline constexpr const Char* RT_GROUP_ICON = u"#14";

// The bytes must stay valid for the life of the program (static data). Registering a name and
// type again replaces the entry.
void RegisterResource(StringView Name, StringView ResType, std::span<const Byte> Data);
void RegisterResource(Integer Id, StringView ResType, std::span<const Byte> Data);
// The bytes of a resource; false when there is none.
bool FindResourceData(StringView Name, StringView ResType, std::span<const Byte>& Data);
bool FindResourceData(Integer Id, StringView ResType, std::span<const Byte>& Data);
String ResourceIdName(Integer Id);   // "#<Id>"

// A read-only stream over a resource; EResNotFound "Resource <name> not found" when absent.
class TResourceStream : public TCustomMemoryStream {
  ZELK_CLASS(TResourceStream, TCustomMemoryStream)
public:
  TResourceStream(const void* Instance, StringView ResName, StringView ResType);
  TResourceStream(const void* Instance, Integer ResID, StringView ResType);
  static TResourceStream* CreateFromID(const void* Instance, Integer ResID, StringView ResType) {
    return new TResourceStream(Instance, ResID, ResType);
  }
  // EStreamError "Can't write to a read-only resource stream".
  Int64 Write(const void* Buffer, Int64 Count) override;
  using TStream::Write;
};
