#pragma once
// The registry: HKEY_CURRENT_USER kept in one text file, shared by every process that names the
// same file. The file is ZELK_REGISTRY when set, else $XDG_CONFIG_HOME/zelk/registry, else
// $HOME/.config/zelk/registry. The other roots are empty and read-only.
//
// The file holds one section per key, in key order, with its typed values:
//   [Software\Microsoft\Office\16.0\Common]
//   "UI Theme"=dword:00000003
//   "Name"=sz:"text with \"quotes\", \\ and \n"
//   @=sz:"the key's default value"
// Key and value names compare case-insensitively and keep their case.
//
// Every change takes an exclusive lock (flock on "<file>.lock"), reads the file again, applies
// the change and replaces the file through a temporary file and rename: writers in threads and
// processes never corrupt the store or lose each other's changes. Reads read the file again when
// it changed (inode, size or time).
//
// RegNotifyChangeKeyValue signals an event once when the key (or, watching the subtree, a key
// below it) changes, by this process (at once) or by another one (seen by an inotify watcher
// thread); call it again for the next change. A rewrite by another process that leaves every
// value as it was is not a change.
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/SysInfo.h"

using HKEY = std::uintptr_t;
using REGSAM = DWORD;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr DWORD REG_NOTIFY_CHANGE_NAME = 0x1;         // a subkey added or deleted
constexpr DWORD REG_NOTIFY_CHANGE_ATTRIBUTES = 0x2;
constexpr DWORD REG_NOTIFY_CHANGE_LAST_SET = 0x4;     // a value set or deleted
constexpr DWORD REG_NOTIFY_CHANGE_SECURITY = 0x8;

// The store file of HKEY_CURRENT_USER, as the environment places it now.
String RegistryStoreFileName();

// Opens an existing key below Key (a root or an open key); ERROR_FILE_NOT_FOUND when absent.
LONG RegOpenKeyExW(HKEY Key, LPCWSTR SubKey, DWORD Options, REGSAM Desired, HKEY* Result);
LONG RegCloseKey(HKEY Key);
// Signals Event once at the next change of Key (and its subtree when WatchSubtree) of a kind in
// NotifyFilter; a deleted key signals too. Asynchronous returns at once; otherwise the call waits
// for the change (Event is then not used). ERROR_KEY_DELETED when the key no longer exists.
LONG RegNotifyChangeKeyValue(HKEY Key, BOOL WatchSubtree, DWORD NotifyFilter, HANDLE Event, BOOL Asynchronous);

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

ZELK_DECLARE_EXCEPTION(ERegistryException, Exception)

// Keys are given relative to the current key, or absolute from the root key with a leading "\".
class TRegistry : public TObject {
  ZELK_CLASS(TRegistry, TObject)
public:
  TRegistry() = default;
  explicit TRegistry(LongWord AAccess) : FAccess(AAccess) {}
  ~TRegistry() override;

  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);   // closes the current key
  HKEY GetCurrentKey() const { return FCurrentKey; }
  const String& GetCurrentPath() const { return FCurrentPath; }
  LongWord GetAccess() const { return FAccess; }
  void SetAccess(LongWord Value) { FAccess = Value; }

  // Makes Key the current key; with CanCreate a missing key (and its parents) is created.
  bool OpenKey(const String& Key, bool CanCreate);
  // Opens with KEY_READ (and keeps that as Access).
  bool OpenKeyReadOnly(const String& Key);
  void CloseKey();
  // Raises ERegistryException "Failed to create key %s" when it cannot.
  bool CreateKey(const String& Key);
  // Deletes the key with everything below it.
  bool DeleteKey(const String& Key);
  bool KeyExists(const String& Key);
  bool HasSubKeys();
  void GetKeyNames(TStrings* Strings);

  // Values of the current key ("" names the key's default value).
  bool ValueExists(const String& Name);
  bool DeleteValue(const String& Name);
  void GetValueNames(TStrings* Strings);
  TRegDataType GetDataType(const String& ValueName);
  Integer GetDataSize(const String& ValueName);   // bytes; -1 when the value is absent
  // "" when absent; a DWORD reads as its decimal text; other types raise
  // ERegistryException "Invalid data type for '%s'".
  String ReadString(const String& Name);
  // An absent value raises "Failed to get data for '%s'", another type "Invalid data type for '%s'".
  Integer ReadInteger(const String& Name);
  bool ReadBool(const String& Name);
  // Failures (read-only key, no key open, store not writable) raise "Failed to set data for '%s'".
  void WriteString(const String& Name, const String& Value);
  void WriteExpandString(const String& Name, const String& Value);
  void WriteInteger(const String& Name, Integer Value);
  void WriteBool(const String& Name, bool Value);

private:
  // Root and path that Key names, from the current key or (leading "\") the root.
  String ResolvePath(const String& Key, bool& Relative) const;
  void ChangeKey(HKEY Key, const String& Path);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = 0;
  String FCurrentPath;
  LongWord FAccess = KEY_ALL_ACCESS;
};

// An INI file over a registry key of HKEY_CURRENT_USER: sections are its subkeys, entries their
// values. Integers are DWORD values, except that an entry that exists as a string stays a string;
// reading takes both.
class TRegistryIniFile : public TCustomIniFile {
  ZELK_CLASS(TRegistryIniFile, TCustomIniFile)
public:
  explicit TRegistryIniFile(const String& FileName, LongWord AAccess = KEY_ALL_ACCESS);
  ~TRegistryIniFile() override;

  TRegistry* GetRegIniFile() const { return FRegistry.get(); }

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default) override;
  void WriteInteger(const String& Section, const String& Ident, Integer Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  bool SectionExists(const String& Section) override;
  bool ValueExists(const String& Section, const String& Ident) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  void UpdateFile() override {}   // every write is in the store already

private:
  // The absolute path of a section's key (the base key for "").
  String SectionPath(const String& Section) const;
  // Opens the section's key in the second accessor, or returns null.
  TRegistry* OpenSection(const String& Section, bool Create);

  std::unique_ptr<TRegistry> FRegistry;   // open on the base key
  std::unique_ptr<TRegistry> FSection;    // the section being read or written
};
