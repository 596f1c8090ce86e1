#pragma once
// System facilities: the tick clock, the command line, well-known folders, the environment,
// debug output, and the platform version facts the program asks about (answered from a table
// that tests can change).
#include <functional>
#include <string_view>

#include "platform/rtl/System.h"

using BOOL = std::int32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using NTSTATUS = std::int32_t;
using LPCWSTR = const Char*;
using LPWSTR = Char*;

// ---------------------------------------------------------------------------------------------
// Last error of the calling thread, as the platform calls set it

DWORD GetLastError();
void SetLastError(DWORD ErrorCode);

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
constexpr LONG ERROR_MOD_NOT_FOUND = 126;
constexpr LONG ERROR_PROC_NOT_FOUND = 127;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_INVALID_FLAGS = 1004;
constexpr LONG ERROR_BADKEY = 1010;
constexpr LONG ERROR_CANTREAD = 1012;
constexpr LONG ERROR_CANTWRITE = 1013;
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr LONG ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

// ---------------------------------------------------------------------------------------------
// Clock

// Milliseconds since an arbitrary start, 32 bits, wrapping after 49.7 days.
Cardinal GetTickCount();
UInt64 GetTickCount64();
// The source of GetTickCount: milliseconds, monotonic. The headless window system installs its
// virtual clock here; an empty function restores the steady clock. Returns the previous source.
using TTickSource = std::function<UInt64()>;
TTickSource SetTickSource(TTickSource Source);
// Real time, whatever the tick source.
void Sleep(Cardinal Milliseconds);

// ---------------------------------------------------------------------------------------------
// Command line

// Called from main. ParamStr(0) is the program's full path; 1.. the arguments as given.
void SetCommandLine(int argc, const char* const* argv);
Integer ParamCount();
String ParamStr(Integer Index);   // empty beyond ParamCount

// ---------------------------------------------------------------------------------------------
// Folders and environment (paths use '/')

String GetTempPath();          // $TMPDIR or /tmp, ending in '/'
String GetProgramFolder();     // the folder of ParamStr(0), ending in '/'
String GetDocumentsFolder();   // XDG documents folder (no trailing '/'), else $HOME/Documents
String GetHomeFolder();        // $HOME, else the password database's entry
// Empty when the variable is not set.
String GetEnvironmentVariable(const String& Name);

// The name under which module tables know a module: the file name without folder and without
// ".dll", in lower case ("C:\\Windows\\COMCTL32.DLL" and "comctl32" are both "comctl32").
String ModuleKeyName(const String& Name);

// What tells one version of a file from another: a file replaced by rename has a new inode, one
// written in place a new size or time. Exists is false (and the rest 0) when there is no file.
struct TFileStamp {
  bool Exists = false;
  UInt64 Device = 0;
  UInt64 Inode = 0;
  UInt64 Size = 0;
  Int64 ModifiedNs = 0;
  bool operator==(const TFileStamp&) const = default;
};
TFileStamp GetFileStamp(const String& FileName);
// True when a file (not a folder) of that name exists.
bool FileExists(const String& FileName);
// The whole file; false when it cannot be read.
bool ReadFileBytes(const String& FileName, std::string& Bytes);

// Creates the folder and its missing parents; true when it exists afterwards.
bool CreateFolders(const String& Path);

// Replaces the file's contents as one step: the bytes go to a temporary file in the same folder,
// which is flushed and renamed over FileName, so readers see the old or the new file, never a
// part. Creates missing folders. Returns false (errno set) when it cannot.
bool WriteFileAtomically(const String& FileName, std::string_view Bytes);

// ---------------------------------------------------------------------------------------------
// Debug output: UTF-16 text to stderr with a line break, or to the hook when one is set.

void OutputDebugStringW(LPCWSTR OutputString);
void OutputDebugString(const String& OutputString);
using TDebugOutputHook = std::function<void(const String& Text)>;
TDebugOutputHook SetDebugOutputHook(TDebugOutputHook Hook);   // returns the previous hook

// ---------------------------------------------------------------------------------------------
// Program kind

extern bool IsLibrary;   // false: this is a program, not a dynamic library
extern bool IsConsole;   // false: a GUI program

// ---------------------------------------------------------------------------------------------
// Platform version

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  Char szCSDVersion[128];
};

struct OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  Char szCSDVersion[128];
  Word wServicePackMajor;
  Word wServicePackMinor;
  Word wSuiteMask;
  Byte wProductType;
  Byte wReserved;
};
static_assert(sizeof(OSVERSIONINFOW) == 276 && sizeof(OSVERSIONINFOEXW) == 284);

constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr Byte VER_NT_WORKSTATION = 1;
constexpr NTSTATUS STATUS_SUCCESS = 0;
constexpr NTSTATUS STATUS_INVALID_PARAMETER = static_cast<NTSTATUS>(0xC000000D);

struct TOSVersion {
  DWORD Major;
  DWORD Minor;
  DWORD Build;
};

// What the version calls answer. Actual is the true version (RtlGetVersion); Reported is what
// GetVersionExW tells a program (a program without a compatibility manifest is told 6.2).
struct TVersionFacts {
  TOSVersion Actual{10, 0, 19045};
  TOSVersion Reported{10, 0, 19045};
};
void SetVersionFacts(const TVersionFacts& Facts);
TVersionFacts GetVersionFacts();
void ResetVersionFacts();

// Fill the record from the facts; dwOSVersionInfoSize must be 276 or 284 (else FALSE and
// ERROR_INSUFFICIENT_BUFFER).
BOOL GetVersionExW(OSVERSIONINFOW* VersionInformation);
BOOL GetVersionExW(OSVERSIONINFOEXW* VersionInformation);
// ntdll's: the actual version; STATUS_INVALID_PARAMETER for a wrong size.
NTSTATUS RtlGetVersion(OSVERSIONINFOW* VersionInformation);

// File version information of modules, from a table keyed by module name (case-insensitive, with
// or without folder and ".dll"). By default "comctl32.dll" is 6.10.19041.1110.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature;   // 0xFEEF04BD
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;

void SetFileVersionFact(const String& ModuleName, Word Major, Word Minor, Word Build, Word Revision);
void RemoveFileVersionFact(const String& ModuleName);   // the module then has no version info
void ResetFileVersionFacts();

// 0 (and ERROR_RESOURCE_TYPE_NOT_FOUND) when the file has no version information.
DWORD GetFileVersionInfoSizeW(LPCWSTR FileName, DWORD* Handle);
BOOL GetFileVersionInfoW(LPCWSTR FileName, DWORD Handle, DWORD Len, void* Data);
// SubBlock "\\" gives the VS_FIXEDFILEINFO inside Block.
BOOL VerQueryValueW(const void* Block, LPCWSTR SubBlock, void** Buffer, UINT* Len);

// kernel32's locale query: the separators LOCALE_SDECIMAL, LOCALE_STHOUSAND, LOCALE_SLIST,
// LOCALE_SDATE and LOCALE_STIME, from FormatSettings for the user's locale (LocaleName null),
// US English for "" and "en-US", German for "de-DE". Returns the characters written with the
// terminating zero (or needed, when cchData is 0); 0 and a last error otherwise.
using LCTYPE = DWORD;
constexpr LCTYPE LOCALE_SLIST = 0x0C;
constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x0F;
constexpr LCTYPE LOCALE_SDATE = 0x1D;
constexpr LCTYPE LOCALE_STIME = 0x1E;
int GetLocaleInfoEx(LPCWSTR LocaleName, LCTYPE LCType, LPWSTR LCData, int cchData);
