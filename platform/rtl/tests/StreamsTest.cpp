// Streams over memory, bytes, strings, files and resources.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/rtl/Classes.h"

namespace {

String OutputPath(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/streams_" + Name); }

std::string ReadAll(TStream& S) {
  std::string out(static_cast<std::size_t>(S.GetSize() - S.GetPosition()), '\0');
  S.ReadBuffer(out.data(), static_cast<Int64>(out.size()));
  return out;
}

}  // namespace

TEST(MemoryStream, ReadWriteSeekAndSize) {
  TMemoryStream m;
  EXPECT_EQ(m.Write("hello", 5), 5);
  EXPECT_EQ(m.GetPosition(), 5);
  EXPECT_EQ(m.GetSize(), 5);
  EXPECT_EQ(m.Seek(-2, soFromEnd), 3);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2);   // short read at the end
  EXPECT_EQ(std::string(buf, 2), "lo");
  EXPECT_EQ(m.Read(buf, 8), 0);
  m.Seek(1, soBeginning);
  m.Seek(1, soCurrent);
  EXPECT_EQ(m.GetPosition(), 2);

  // Writing past the end leaves zeros in the gap.
  m.SetPosition(8);
  m.WriteBuffer("!", 1);
  m.SetPosition(0);
  EXPECT_EQ(ReadAll(m), std::string("hello\0\0\0!", 9));
  EXPECT_EQ(static_cast<const char*>(m.Memory())[0], 'h');

  m.SetSize(3);
  EXPECT_EQ(m.GetPosition(), 3);   // clipped to the new end
  m.SetSize(6);
  m.SetPosition(0);
  EXPECT_EQ(ReadAll(m), std::string("hel\0\0\0", 6));
  m.Clear();
  EXPECT_EQ(m.GetSize(), 0);
  EXPECT_EQ(m.GetPosition(), 0);
  m.SetPosition(-4);
  EXPECT_EQ(m.Read(buf, 1), 0);   // a negative position reads and writes nothing
  EXPECT_EQ(m.Write("x", 1), 0);
}

TEST(MemoryStream, ReadBufferAndWriteBufferRaise) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  m.SetPosition(1);
  char buf[4];
  try {
    m.ReadBuffer(buf, 3);
    FAIL();
  } catch (EReadError& e) {
    EXPECT_EQ(e.Message, u"Stream read error");
  }
  RegisterResource(u"RO", RT_RCDATA, std::span<const Byte>(reinterpret_cast<const Byte*>("ro"), 2));
  TResourceStream r(nullptr, u"RO", RT_RCDATA);
  EXPECT_THROW(r.Write("x", 1), EStreamError);
  try {
    r.WriteBuffer("x", 1);
    FAIL();
  } catch (EStreamError& e) {
    EXPECT_EQ(e.Message, u"Can't write to a read-only resource stream");
  }
  TBytes bytes(2);
  EXPECT_THROW(m.ReadBuffer(bytes, 1, 2), EArgumentOutOfRangeException);
}

TEST(MemoryStream, CopyFromZeroCopiesEverythingFromTheStart) {
  TMemoryStream src;
  std::string big(200000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  src.WriteBuffer(big.data(), static_cast<Int64>(big.size()));   // position at the end
  TMemoryStream dst;
  dst.WriteBuffer("head", 4);
  EXPECT_EQ(dst.CopyFrom(&src, 0), static_cast<Int64>(big.size()));
  dst.SetPosition(4);
  EXPECT_EQ(ReadAll(dst), big);

  // A count copies from the source's position; too few bytes raise.
  src.SetPosition(10);
  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(&src, 5), 5);
  part.SetPosition(0);
  EXPECT_EQ(ReadAll(part), big.substr(10, 5));
  src.SetPosition(src.GetSize() - 2);
  EXPECT_THROW(part.CopyFrom(&src, 5), EReadError);
}

TEST(BytesAndStringStreams, EncodingsAndDataString) {
  TBytesStream b(TBytes{1, 2, 3});
  EXPECT_EQ(b.GetSize(), 3);
  EXPECT_EQ(b.GetPosition(), 0);
  b.SetPosition(3);
  b.WriteBuffer("\x04", 1);
  EXPECT_EQ(b.GetBytes(), (TBytes{1, 2, 3, 4}));

  TStringStream utf8(u"Grüße €", TEncoding::UTF8());
  EXPECT_EQ(utf8.GetSize(), 11);   // no BOM in a string stream
  EXPECT_EQ(utf8.DataString(), u"Grüße €");
  utf8.SetPosition(utf8.GetSize());
  utf8.WriteString(u"!");
  EXPECT_EQ(utf8.DataString(), u"Grüße €!");
  utf8.SetPosition(0);
  EXPECT_EQ(utf8.ReadString(2), u"Gr");

  TStringStream ansi(u"Grüße €");   // Default: Windows-1252
  EXPECT_EQ(ansi.GetSize(), 7);
  EXPECT_EQ(ansi.DataString(), u"Grüße €");
  TStringStream utf16(u"ab", TEncoding::Unicode());
  EXPECT_EQ(utf16.GetBytes(), (TBytes{'a', 0, 'b', 0}));

  TStringStream detected(TBytes{0xEF, 0xBB, 0xBF, 'o', 'k'});
  EXPECT_EQ(detected.GetEncoding(), TEncoding::UTF8());
  TStringStream empty;
  empty.WriteString(u"x");
  EXPECT_EQ(empty.DataString(), u"x");
}

TEST(FileStream, CreateOpenReadWriteAndErrors) {
  const String path = OutputPath("file.bin");
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.GetSize(), 10);
    f.SetSize(8);
    EXPECT_EQ(f.GetSize(), 8);
  }
  {
    TFileStream f(path, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(f.GetSize(), 8);
    f.Seek(-3, soEnd);
    EXPECT_EQ(ReadAll(f), "567");
    EXPECT_EQ(f.Write("x", 1), 0);   // opened for reading only
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    EXPECT_EQ(f.GetFileName(), path);
  }
  {
    TFileStream f(path, fmOpenReadWrite | fmShareExclusive);
    f.SetPosition(2);
    f.WriteBuffer("ab", 2);
  }
  {
    TFileStream f(path, fmOpenWrite);
    f.Seek(0, soEnd);
    f.WriteBuffer("Z", 1);
  }
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(std::string(static_cast<const char*>(m.Memory()), 9), "01ab4567Z");

  const String missing = OutputPath("missing/none.bin");
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL();
  } catch (EFOpenError& e) {
    EXPECT_EQ(e.Message, u"Cannot open file \"" + missing + u"\". No such file or directory");
  }
  try {
    TFileStream f(missing, fmCreate);
    FAIL();
  } catch (EFCreateError& e) {
    EXPECT_EQ(e.Message, u"Cannot create file \"" + missing + u"\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(UTF8ToString(ZELK_TEST_OUTPUT), fmOpenRead), EFOpenError);   // a folder

  // Non-ASCII names go to the file system as UTF-8.
  const String unicode = OutputPath("größe €.txt");
  m.SaveToFile(unicode);
  std::ifstream check(UTF8Encode(unicode), std::ios::binary);
  EXPECT_TRUE(check.good());
}

TEST(ResourceStream, CompiledInResourcesByNameAndNumber) {
  // Compiled in from tests/data/resources by zelk_resources in the build.
  TResourceStream hello(nullptr, u"hello", RT_RCDATA);
  EXPECT_EQ(ReadAll(hello), "Hello, resource!\n");
  TResourceStream blob(nullptr, 4711, RT_RCDATA);
  EXPECT_EQ(ReadAll(blob), std::string("\x00\x01\x02\xff\xfe", 5));
  std::unique_ptr<TResourceStream> bmp(TResourceStream::CreateFromID(nullptr, 1, RT_BITMAP));
  EXPECT_EQ(bmp->GetSize(), 4);
  TResourceStream typed(nullptr, u"PICTURE", u"PNG");
  EXPECT_EQ(typed.GetSize(), 5);
  std::span<const Byte> data;
  EXPECT_TRUE(FindResourceData(u"TINY", RT_BITMAP, data));
  EXPECT_EQ(data.size(), 4u);

  try {
    TResourceStream r(nullptr, u"NOPE", RT_RCDATA);
    FAIL();
  } catch (EResNotFound& e) {
    EXPECT_EQ(e.Message, u"Resource NOPE not found");
  }
  EXPECT_THROW(TResourceStream(nullptr, u"hello", RT_BITMAP), EResNotFound);   // another type

  // Registered at run time too.
  static const Byte extra[] = {9, 8, 7};
  RegisterResource(u"Extra", RT_RCDATA, extra);
  TResourceStream e(nullptr, u"EXTRA", RT_RCDATA);
  TMemoryStream copy;
  copy.CopyFrom(&e, 0);
  EXPECT_EQ(copy.GetSize(), 3);
}
