#include "platform/rtl/SysInfo.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/rtl/SysUtils.h"

bool IsLibrary = false;
bool IsConsole = false;

namespace {

thread_local DWORD gLastError = 0;

std::string Narrow(const String& s) { return UTF8Encode(s); }

}  // namespace

DWORD GetLastError() { return gLastError; }
void SetLastError(DWORD ErrorCode) { gLastError = ErrorCode; }

// ---------------------------------------------------------------------------------------------
// Clock

namespace {

struct TTickState {
  std::mutex Lock;
  TTickSource Source;
};

TTickState& Ticks() {
  static TTickState state;
  return state;
}

UInt64 SteadyMilliseconds() {
  using namespace std::chrono;
  return static_cast<UInt64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

UInt64 GetTickCount64() {
  auto& t = Ticks();
  TTickSource source;
  {
    std::lock_guard guard(t.Lock);
    source = t.Source;
  }
  return source ? source() : SteadyMilliseconds();
}

Cardinal GetTickCount() { return static_cast<Cardinal>(GetTickCount64()); }

TTickSource SetTickSource(TTickSource Source) {
  auto& t = Ticks();
  std::lock_guard guard(t.Lock);
  std::swap(t.Source, Source);
  return Source;
}

void Sleep(Cardinal Milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds)); }

// ---------------------------------------------------------------------------------------------
// Command line

namespace {

struct TCommandLine {
  std::mutex Lock;
  std::vector<String> Args;   // Args[0] as given; ParamStr(0) uses the executable's path
};

TCommandLine& CommandLine() {
  static TCommandLine line;
  return line;
}

String ProgramPath() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) return UTF8ToString(std::string_view(buf, static_cast<std::size_t>(n)));
  auto& c = CommandLine();
  std::lock_guard guard(c.Lock);
  return c.Args.empty() ? String() : c.Args[0];
}

}  // namespace

void SetCommandLine(int argc, const char* const* argv) {
  auto& c = CommandLine();
  std::lock_guard guard(c.Lock);
  c.Args.clear();
  for (int i = 0; i < argc; ++i) c.Args.push_back(UTF8ToString(argv[i] ? argv[i] : ""));
}

Integer ParamCount() {
  auto& c = CommandLine();
  std::lock_guard guard(c.Lock);
  return c.Args.empty() ? 0 : static_cast<Integer>(c.Args.size()) - 1;
}

String ParamStr(Integer Index) {
  if (Index == 0) return ProgramPath();
  auto& c = CommandLine();
  std::lock_guard guard(c.Lock);
  if (Index < 0 || static_cast<std::size_t>(Index) >= c.Args.size()) return String();
  return c.Args[static_cast<std::size_t>(Index)];
}

// ---------------------------------------------------------------------------------------------
// Folders and environment

String GetEnvironmentVariable(const String& Name) {
  const char* v = std::getenv(Narrow(Name).c_str());
  return v ? UTF8ToString(v) : String();
}

namespace {

String WithTrailingSlash(String s) {
  if (s.empty() || s.back() != u'/') s += u'/';
  return s;
}

String FolderOf(const String& path) {
  auto slash = path.rfind(u'/');
  return slash == String::npos ? String() : path.substr(0, slash + 1);
}

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: "$HOME/Name" or an absolute path, quoted.
String DocumentsFromUserDirs(const String& home) {
  String config = GetEnvironmentVariable(u"XDG_CONFIG_HOME");
  if (config.empty()) config = home + u"/.config";
  std::ifstream in(Narrow(config + u"/user-dirs.dirs"));
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=";
  while (std::getline(in, line)) {
    auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
    std::string value = line.substr(start + key.size());
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) return home + UTF8ToString(value.substr(5));
    if (!value.empty() && value[0] == '/') return UTF8ToString(value);
  }
  return String();
}

}  // namespace

String GetTempPath() {
  String dir = GetEnvironmentVariable(u"TMPDIR");
  return WithTrailingSlash(dir.empty() ? String(u"/tmp") : dir);
}

String GetProgramFolder() { return FolderOf(ProgramPath()); }

String GetHomeFolder() {
  String home = GetEnvironmentVariable(u"HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return UTF8ToString(pw->pw_dir);
  return u"/";
}

String GetDocumentsFolder() {
  String dir = GetEnvironmentVariable(u"XDG_DOCUMENTS_DIR");
  const String home = GetHomeFolder();
  if (dir.empty()) dir = DocumentsFromUserDirs(home);
  if (dir.empty()) dir = home + u"/Documents";
  while (dir.size() > 1 && dir.back() == u'/') dir.pop_back();
  return dir;
}

String ModuleKeyName(const String& Name) {
  auto slash = Name.find_last_of(u"/\\");
  String key = slash == String::npos ? Name : Name.substr(slash + 1);
  for (auto& c : key)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
  if (key.size() > 4 && key.compare(key.size() - 4, 4, u".dll") == 0) key.resize(key.size() - 4);
  return key;
}

TFileStamp GetFileStamp(const String& FileName) {
  struct stat st {};
  TFileStamp stamp;
  if (stat(Narrow(FileName).c_str(), &st) != 0) return stamp;
  stamp.Exists = true;
  stamp.Device = st.st_dev;
  stamp.Inode = st.st_ino;
  stamp.Size = static_cast<UInt64>(st.st_size);
  stamp.ModifiedNs = static_cast<Int64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

bool FileExists(const String& FileName) {
  struct stat st {};
  return !FileName.empty() && stat(Narrow(FileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadFileBytes(const String& FileName, std::string& Bytes) {
  std::ifstream in(Narrow(FileName), std::ios::binary);
  if (!in) return false;
  Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

namespace {

bool MakeFolders(const std::string& dir) {
  if (dir.empty()) return true;
  struct stat st {};
  if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  auto slash = dir.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(dir.substr(0, slash))) return false;
  return mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool CreateFolders(const String& Path) { return MakeFolders(Narrow(Path)); }

bool WriteFileAtomically(const String& FileName, std::string_view Bytes) {
  const std::string path = Narrow(FileName);
  const auto slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (slash != std::string::npos && slash > 0 && !MakeFolders(dir)) return false;
  std::string temp = dir + "/." + base + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  // Keep the mode of the file being replaced; a new file gets the usual 0666 less the umask.
  struct stat st {};
  mode_t mode;
  if (stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, Bytes) && fsync(fd) == 0;
  int saved = errno;
  ok = close(fd) == 0 && ok;
  if (ok && rename(temp.c_str(), path.c_str()) == 0) return true;
  saved = ok ? errno : saved;
  unlink(temp.c_str());
  errno = saved;
  return false;
}

// ---------------------------------------------------------------------------------------------
// Debug output

namespace {

struct TDebugState {
  std::mutex Lock;
  TDebugOutputHook Hook;
};

TDebugState& Debug() {
  static TDebugState state;
  return state;
}

}  // namespace

void OutputDebugString(const String& OutputString) {
  auto& d = Debug();
  TDebugOutputHook hook;
  {
    std::lock_guard guard(d.Lock);
    hook = d.Hook;
  }
  if (hook) {
    hook(OutputString);
    return;
  }
  std::string line = UTF8Encode(OutputString);
  line += '\n';
  WriteAll(STDERR_FILENO, line);   // one write, so lines of threads do not interleave
}

void OutputDebugStringW(LPCWSTR OutputString) { OutputDebugString(OutputString ? String(OutputString) : String()); }

TDebugOutputHook SetDebugOutputHook(TDebugOutputHook Hook) {
  auto& d = Debug();
  std::lock_guard guard(d.Lock);
  std::swap(d.Hook, Hook);
  return Hook;
}

// ---------------------------------------------------------------------------------------------
// Version facts

namespace {

struct TVersionState {
  std::mutex Lock;
  TVersionFacts Facts;
  std::map<String, VS_FIXEDFILEINFO> Files;
  bool FilesInitialised = false;
};

TVersionState& Versions() {
  static TVersionState state;
  return state;
}

VS_FIXEDFILEINFO MakeFixedInfo(Word Major, Word Minor, Word Build, Word Revision) {
  VS_FIXEDFILEINFO info{};
  info.dwSignature = VS_FFI_SIGNATURE;
  info.dwStrucVersion = 0x00010000;
  info.dwFileVersionMS = (DWORD(Major) << 16) | Minor;
  info.dwFileVersionLS = (DWORD(Build) << 16) | Revision;
  info.dwProductVersionMS = info.dwFileVersionMS;
  info.dwProductVersionLS = info.dwFileVersionLS;
  info.dwFileOS = 0x00040004;   // VOS_NT_WINDOWS32
  info.dwFileType = 2;          // VFT_DLL
  return info;
}

// Call with the lock held.
std::map<String, VS_FIXEDFILEINFO>& FileFacts(TVersionState& v) {
  if (!v.FilesInitialised) {
    v.Files[u"comctl32"] = MakeFixedInfo(6, 10, 19041, 1110);
    v.FilesInitialised = true;
  }
  return v.Files;
}

template <class Info>
BOOL FillVersion(Info* info, const TOSVersion& version) {
  if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW) &&
                info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXW))) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const DWORD size = info->dwOSVersionInfoSize;
  auto* base = reinterpret_cast<OSVERSIONINFOW*>(info);
  std::memset(reinterpret_cast<char*>(base) + sizeof(DWORD), 0, size - sizeof(DWORD));
  base->dwMajorVersion = version.Major;
  base->dwMinorVersion = version.Minor;
  base->dwBuildNumber = version.Build;
  base->dwPlatformId = VER_PLATFORM_WIN32_NT;
  if (size == sizeof(OSVERSIONINFOEXW)) reinterpret_cast<OSVERSIONINFOEXW*>(info)->wProductType = VER_NT_WORKSTATION;
  return 1;
}

struct TVersionBlock {
  DWORD Magic;
  VS_FIXEDFILEINFO Fixed;
};
constexpr DWORD VersionBlockMagic = 0x5A56424C;

}  // namespace

void SetVersionFacts(const TVersionFacts& Facts) {
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  v.Facts = Facts;
}

TVersionFacts GetVersionFacts() {
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  return v.Facts;
}

void ResetVersionFacts() { SetVersionFacts(TVersionFacts()); }

BOOL GetVersionExW(OSVERSIONINFOW* VersionInformation) {
  return FillVersion(VersionInformation, GetVersionFacts().Reported);
}

BOOL GetVersionExW(OSVERSIONINFOEXW* VersionInformation) {
  return FillVersion(VersionInformation, GetVersionFacts().Reported);
}

NTSTATUS RtlGetVersion(OSVERSIONINFOW* VersionInformation) {
  return FillVersion(VersionInformation, GetVersionFacts().Actual) ? STATUS_SUCCESS : STATUS_INVALID_PARAMETER;
}

void SetFileVersionFact(const String& ModuleName, Word Major, Word Minor, Word Build, Word Revision) {
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  FileFacts(v)[ModuleKeyName(ModuleName)] = MakeFixedInfo(Major, Minor, Build, Revision);
}

void RemoveFileVersionFact(const String& ModuleName) {
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  FileFacts(v).erase(ModuleKeyName(ModuleName));
}

void ResetFileVersionFacts() {
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  v.Files.clear();
  v.FilesInitialised = false;
}

DWORD GetFileVersionInfoSizeW(LPCWSTR FileName, DWORD* Handle) {
  if (Handle) *Handle = 0;
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  if (!FileName || !FileFacts(v).count(ModuleKeyName(FileName))) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
  }
  return sizeof(TVersionBlock);
}

BOOL GetFileVersionInfoW(LPCWSTR FileName, DWORD, DWORD Len, void* Data) {
  if (!FileName || !Data || Len < sizeof(TVersionBlock)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  auto& v = Versions();
  std::lock_guard guard(v.Lock);
  auto& files = FileFacts(v);
  auto it = files.find(ModuleKeyName(FileName));
  if (it == files.end()) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
  }
  TVersionBlock block{VersionBlockMagic, it->second};
  std::memcpy(Data, &block, sizeof block);
  return 1;
}

BOOL VerQueryValueW(const void* Block, LPCWSTR SubBlock, void** Buffer, UINT* Len) {
  if (!Block || !SubBlock || !Buffer || !Len) return 0;
  auto* block = static_cast<const TVersionBlock*>(Block);
  if (block->Magic != VersionBlockMagic || String(SubBlock) != u"\\") return 0;
  *Buffer = const_cast<VS_FIXEDFILEINFO*>(&block->Fixed);
  *Len = sizeof(VS_FIXEDFILEINFO);
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Locale information

int GetLocaleInfoEx(LPCWSTR LocaleName, LCTYPE LCType, LPWSTR LCData, int cchData) {
  TFormatSettings settings;
  if (!LocaleName) {
    settings = FormatSettings;
  } else {
    const String name = LocaleName;
    if (name.empty() || SameText(name, u"en-US")) {
      settings = TFormatSettings::USEnglish();
    } else if (SameText(name, u"de-DE")) {
      settings = TFormatSettings::German();
    } else {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
  }
  String value;
  switch (LCType) {
    case LOCALE_SLIST: value = String(1, settings.ListSeparator); break;
    case LOCALE_SDECIMAL: value = String(1, settings.DecimalSeparator); break;
    case LOCALE_STHOUSAND: value = String(1, settings.ThousandSeparator); break;
    case LOCALE_SDATE: value = String(1, settings.DateSeparator); break;
    case LOCALE_STIME: value = String(1, settings.TimeSeparator); break;
    default: SetLastError(ERROR_INVALID_FLAGS); return 0;
  }
  const int needed = static_cast<int>(value.size()) + 1;
  if (cchData == 0) return needed;
  if (!LCData || cchData < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(LCData, value.c_str(), sizeof(Char) * static_cast<std::size_t>(needed));
  return needed;
}
