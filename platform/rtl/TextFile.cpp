#include "platform/rtl/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/rtl/ScopeGuard.h"

namespace {

constexpr std::size_t ChunkSize = 65536;

// The runtime's I/O results besides a system error number.
constexpr Integer ioFileNotFound = 2;
constexpr Integer ioInvalidFilename = 3;
constexpr Integer ioTooManyOpenFiles = 4;
constexpr Integer ioAccessDenied = 5;
constexpr Integer ioDiskFull = 101;
constexpr Integer ioNotAssigned = 102;
constexpr Integer ioNotOpen = 103;
constexpr Integer ioNotOpenForInput = 104;
constexpr Integer ioNotOpenForOutput = 105;

[[noreturn]] void RaiseInOut(Integer Code) {
  String message;
  switch (Code) {
    case ioFileNotFound: message = u"File not found"; break;
    case ioInvalidFilename: message = u"Invalid filename"; break;
    case ioTooManyOpenFiles: message = u"Too many open files"; break;
    case ioAccessDenied: message = u"File access denied"; break;
    case ioDiskFull: message = u"Disk full"; break;
    default: message = u"I/O error " + IntToStr(Code); break;
  }
  throw EInOutError(message, Code);
}

bool FolderExists(const std::string& Path) {
  std::string::size_type slash = Path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : Path.substr(0, slash);
  struct stat st;
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void RaiseSystem(int Error, const std::string& Path) {
  switch (Error) {
    case ENOENT:
    case ENOTDIR: RaiseInOut(!Path.empty() && FolderExists(Path) ? ioFileNotFound : ioInvalidFilename);
    case ENAMETOOLONG: RaiseInOut(ioInvalidFilename);
    case EMFILE:
    case ENFILE: RaiseInOut(ioTooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: RaiseInOut(ioAccessDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: RaiseInOut(ioDiskFull);
    default: RaiseInOut(Error);
  }
}

}  // namespace

TTextFile::~TTextFile() {
  if (FMode == tmOutput) {
    try {
      Flush();
    } catch (const EInOutError&) {
    }
  }
  CloseHandle();
}

void TTextFile::CloseHandle() {
  if (FHandle >= 0) ::close(FHandle);
  FHandle = -1;
  FMode = tmClosed;
  FBuffer.clear();
  FStart = 0;
  FAtEnd = false;
}

void TTextFile::Open(TMode Mode) {
  if (!FAssigned) RaiseInOut(ioNotAssigned);
  if (FMode != tmClosed) CloseFile(*this);
  const std::string path = UTF8Encode(FFileName);
  int fd = Mode == tmOutput ? ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)
                            : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) RaiseSystem(errno, path);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    RaiseInOut(ioAccessDenied);
  }
  FHandle = fd;
  FMode = Mode;
}

void TTextFile::Require(TMode Mode) const {
  if (FMode == tmClosed) RaiseInOut(ioNotOpen);
  if (FMode != Mode) RaiseInOut(Mode == tmInput ? ioNotOpenForInput : ioNotOpenForOutput);
}

void TTextFile::Flush() {
  std::size_t done = 0;
  auto dropWritten = ScopeExit([&] { FBuffer.erase(0, done); });
  while (done < FBuffer.size()) {
    ssize_t n = ::write(FHandle, FBuffer.data() + done, FBuffer.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseSystem(errno, UTF8Encode(FFileName));
    }
    done += static_cast<std::size_t>(n);
  }
}

// Reads the next chunk behind what is buffered; false at the end of the file.
bool TTextFile::Fill() {
  if (FAtEnd) return false;
  FBuffer.erase(0, FStart);
  FStart = 0;
  std::size_t old = FBuffer.size();
  FBuffer.resize(old + ChunkSize);
  ssize_t n;
  do n = ::read(FHandle, FBuffer.data() + old, ChunkSize);
  while (n < 0 && errno == EINTR);
  int error = errno;
  FBuffer.resize(old + static_cast<std::size_t>(n < 0 ? 0 : n));
  if (n < 0) RaiseSystem(error, UTF8Encode(FFileName));
  if (n == 0) FAtEnd = true;
  return n > 0;
}

void AssignFile(TTextFile& F, const String& FileName) {
  if (F.FMode != TTextFile::tmClosed) CloseFile(F);
  F.FFileName = FileName;
  F.FAssigned = true;
}

void Rewrite(TTextFile& F) { F.Open(TTextFile::tmOutput); }

void Reset(TTextFile& F) { F.Open(TTextFile::tmInput); }

void Write(TTextFile& F, StringView Text) {
  F.Require(TTextFile::tmOutput);
  TBytes bytes = TEncoding::ANSI()->GetBytes(Text);
  F.FBuffer.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (F.FBuffer.size() >= ChunkSize) F.Flush();
}

void WriteLn(TTextFile& F, StringView Text) {
  Write(F, Text);
  Write(F, u"\r\n");
}

void ReadLn(TTextFile& F, String& Line) {
  F.Require(TTextFile::tmInput);
  // Fill moves the unread bytes to the front: what was searched is counted from FStart.
  std::size_t searched = 0;
  std::size_t end;
  while ((end = F.FBuffer.find_first_of("\r\n", F.FStart + searched)) == std::string::npos) {
    searched = F.FBuffer.size() - F.FStart;
    if (!F.Fill()) {
      end = F.FBuffer.size();
      break;
    }
  }
  Line = TEncoding::ANSI()->GetString(reinterpret_cast<const Byte*>(F.FBuffer.data()) + F.FStart, end - F.FStart);
  F.FStart = end;
  if (end == F.FBuffer.size()) return;
  bool cr = F.FBuffer[end] == '\r';
  F.FStart = end + 1;
  if (cr && F.FStart == F.FBuffer.size()) F.Fill();
  if (cr && F.FStart < F.FBuffer.size() && F.FBuffer[F.FStart] == '\n') ++F.FStart;
}

bool Eof(TTextFile& F) {
  F.Require(TTextFile::tmInput);
  return F.FStart >= F.FBuffer.size() && !F.Fill();
}

void CloseFile(TTextFile& F) {
  if (F.FMode == TTextFile::tmClosed) RaiseInOut(ioNotOpen);
  auto close = ScopeExit([&] { F.CloseHandle(); });
  if (F.FMode == TTextFile::tmOutput) F.Flush();
}
