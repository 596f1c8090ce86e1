#include "platform/rtl/Registry.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

using zelk_detail::TKernelEvent;

namespace {

// ---------------------------------------------------------------------------------------------
// The tree of keys

String Fold(StringView s) { return AnsiUpperCase(s); }

struct TRegValue {
  String Name;
  DWORD Type = REG_SZ;
  String Text;       // REG_SZ, REG_EXPAND_SZ
  DWORD Number = 0;  // REG_DWORD
  // The line as the store file holds it, written back as long as nobody changes the value: bytes
  // that are no UTF-8 read as U+FFFD but stay in the file. Empty for a value set by a program.
  std::string Line;

  bool SameData(const TRegValue& o) const {
    return Type == o.Type && (Type == REG_DWORD ? Number == o.Number : Text == o.Text);
  }
};

struct TRegKey {
  String Name;
  std::string FileName;   // the name's bytes in the store file (UTF-8 unless read otherwise)
  std::vector<TRegValue> Values;                        // in file order; changed by Put and Remove
  std::unordered_map<String, std::size_t> ValueIndex;   // folded name -> position in Values
  std::map<String, std::unique_ptr<TRegKey>> SubKeys;   // by folded name, so in key order

  TRegValue* FindValue(StringView name) {
    auto it = ValueIndex.find(Fold(name));
    return it == ValueIndex.end() ? nullptr : &Values[it->second];
  }
  // Stores a new value, or replaces the data of one with the same name (its spelling stays).
  void Put(const TRegValue& value) {
    if (TRegValue* existing = FindValue(value.Name)) {
      const String name = existing->Name;
      *existing = value;
      existing->Name = name;
      return;
    }
    ValueIndex.emplace(Fold(value.Name), Values.size());
    Values.push_back(value);
  }
  bool Remove(StringView name) {
    auto it = ValueIndex.find(Fold(name));
    if (it == ValueIndex.end()) return false;
    Values.erase(Values.begin() + static_cast<std::ptrdiff_t>(it->second));
    ValueIndex.clear();
    for (std::size_t i = 0; i < Values.size(); ++i) ValueIndex.emplace(Fold(Values[i].Name), i);
    return true;
  }
  const TRegValue* FindValue(StringView name) const { return const_cast<TRegKey*>(this)->FindValue(name); }
  TRegKey* Child(StringView name) const {
    auto it = SubKeys.find(Fold(name));
    return it == SubKeys.end() ? nullptr : it->second.get();
  }
  // The sub key of that name, made when missing with fileName as its bytes in the file.
  TRegKey& EnsureChild(const String& name, std::string fileName) {
    auto& slot = SubKeys[Fold(name)];
    if (!slot) {
      slot = std::make_unique<TRegKey>();
      slot->Name = name;
      slot->FileName = std::move(fileName);
    }
    return *slot;
  }
};

// The components of a key path; empty components ("A\\B", "A\") are dropped.
std::vector<String> SplitPath(StringView path) {
  std::vector<String> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != u'\\') continue;
    if (i > start) parts.emplace_back(path.substr(start, i - start));
    start = i + 1;
  }
  return parts;
}

String JoinPath(const std::vector<String>& parts, std::size_t count) {
  String path;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) path += u'\\';
    path += parts[i];
  }
  return path;
}

String NormalizePath(StringView path) {
  auto parts = SplitPath(path);
  return JoinPath(parts, parts.size());
}

// A key name may hold anything but '\' and control characters.
bool ValidKeyName(StringView name) {
  for (Char c : name)
    if (c < 0x20) return false;
  return !name.empty();
}

TRegKey* FindKey(TRegKey& root, StringView path) {
  TRegKey* key = &root;
  for (const auto& part : SplitPath(path))
    if (!(key = key->Child(part))) return nullptr;
  return key;
}

// ---------------------------------------------------------------------------------------------
// Changes and who waits for them

constexpr DWORD KeyDeleted = 0x100;   // beside the REG_NOTIFY_CHANGE_* kinds

struct TRegChange {
  String Path;   // folded
  DWORD Kind;
};

struct TNotifyRequest {
  String Path;   // folded
  bool Subtree;
  DWORD Filter;
  std::shared_ptr<TKernelEvent> Event;
};

bool IsBelow(const String& path, const String& ancestor) {
  if (ancestor.empty()) return !path.empty();
  return path.size() > ancestor.size() && path.compare(0, ancestor.size(), ancestor) == 0 &&
         path[ancestor.size()] == u'\\';
}

bool Covers(const TNotifyRequest& r, const TRegChange& c) {
  if (c.Kind == KeyDeleted)
    return r.Path == c.Path || IsBelow(r.Path, c.Path) || (r.Subtree && IsBelow(c.Path, r.Path));
  if (!(c.Kind & r.Filter)) return false;
  return r.Path == c.Path || (r.Subtree && IsBelow(c.Path, r.Path));
}

String ChildPath(const String& parent, const String& name) { return parent.empty() ? name : parent + u"\\" + name; }

// The changes between two versions of a key.
void Diff(const TRegKey& before, const TRegKey& after, const String& path, std::vector<TRegChange>& changes) {
  bool valuesDiffer = before.Values.size() != after.Values.size();
  for (std::size_t i = 0; !valuesDiffer && i < before.Values.size(); ++i) {
    const TRegValue* other = after.FindValue(before.Values[i].Name);
    valuesDiffer = !other || !other->SameData(before.Values[i]);
  }
  if (valuesDiffer) changes.push_back({path, REG_NOTIFY_CHANGE_LAST_SET});
  bool namesDiffer = before.SubKeys.size() != after.SubKeys.size();
  for (const auto& [folded, key] : before.SubKeys) {
    auto it = after.SubKeys.find(folded);
    if (it == after.SubKeys.end()) {
      namesDiffer = true;
      changes.push_back({ChildPath(path, folded), KeyDeleted});
    } else {
      Diff(*key, *it->second, ChildPath(path, folded), changes);
    }
  }
  if (namesDiffer) changes.push_back({path, REG_NOTIFY_CHANGE_NAME});
}

// ---------------------------------------------------------------------------------------------
// The text form

void AppendQuoted(std::string& out, StringView text) {
  out += '"';
  for (char c : UTF8Encode(text)) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static const char hex[] = "0123456789abcdef";
          out += "\\x";
          out += hex[(c >> 4) & 0xF];
          out += hex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendKey(std::string& out, const TRegKey& key, const std::string& path) {
  if (!path.empty() || !key.Values.empty()) {
    out += '[';
    out += path;
    out += "]\n";
    for (const auto& v : key.Values) {
      if (!v.Line.empty()) {
        out += v.Line;
        out += '\n';
        continue;
      }
      if (v.Name.empty()) out += '@';
      else AppendQuoted(out, v.Name);
      if (v.Type == REG_DWORD) {
        char buf[20];
        std::snprintf(buf, sizeof buf, "=dword:%08x\n", v.Number);
        out += buf;
      } else {
        out += v.Type == REG_EXPAND_SZ ? "=expand_sz:" : "=sz:";
        AppendQuoted(out, v.Text);
        out += '\n';
      }
    }
    out += '\n';
  }
  for (const auto& [folded, sub] : key.SubKeys) AppendKey(out, *sub, path.empty() ? sub->FileName : path + '\\' + sub->FileName);
}

std::string Serialize(const TRegKey& root) {
  std::string out = "; zelk registry store 1\n\n";
  AppendKey(out, root, std::string());
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text at line[pos] (the opening quote); pos ends after the closing quote.
bool ParseQuoted(std::string_view line, std::size_t& pos, String& text) {
  if (pos >= line.size() || line[pos] != '"') return false;
  std::string raw;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      text = UTF8ToString(raw);
      return true;
    }
    if (c != '\\') {
      raw += c;
      continue;
    }
    if (++pos >= line.size()) return false;
    switch (line[pos]) {
      case 'n': raw += '\n'; break;
      case 'r': raw += '\r'; break;
      case 't': raw += '\t'; break;
      case 'x': {
        const int high = pos + 2 < line.size() ? HexDigit(line[pos + 1]) : -1;
        const int low = high >= 0 ? HexDigit(line[pos + 2]) : -1;
        if (low < 0) return false;   // a bad escape makes the line unreadable, and it is skipped
        raw += static_cast<char>(high * 16 + low);
        pos += 2;
        break;
      }
      default: raw += line[pos];
    }
  }
  return false;
}

bool StartsWith(std::string_view s, std::size_t pos, std::string_view prefix) {
  return s.size() >= pos + prefix.size() && s.compare(pos, prefix.size(), prefix) == 0;
}

// One value line: @=type:data or "name"=type:data.
bool ParseValue(std::string_view line, TRegValue& value) {
  std::size_t pos = 0;
  if (line[0] == '@') {
    value.Name.clear();
    pos = 1;
  } else if (!ParseQuoted(line, pos, value.Name)) {
    return false;
  }
  if (pos >= line.size() || line[pos++] != '=') return false;
  if (StartsWith(line, pos, "dword:")) {
    std::string_view digits = line.substr(pos + 6);
    if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
      return false;
    value.Type = REG_DWORD;
    value.Number = static_cast<DWORD>(std::stoul(std::string(digits), nullptr, 16));
    return true;
  }
  std::size_t after = 0;
  if (StartsWith(line, pos, "sz:")) {
    value.Type = REG_SZ;
    after = pos + 3;
  } else if (StartsWith(line, pos, "expand_sz:")) {
    value.Type = REG_EXPAND_SZ;
    after = pos + 10;
  } else {
    return false;
  }
  return ParseQuoted(line, after, value.Text) && after == line.size();
}

TRegKey& EnsureKey(TRegKey& root, StringView path) {
  TRegKey* key = &root;
  for (const auto& part : SplitPath(path)) key = &key->EnsureChild(part, UTF8Encode(part));
  return *key;
}

// The key a section line names ("A\B" as the file's bytes); new keys keep their names' bytes.
TRegKey& EnsureFileKey(TRegKey& root, std::string_view path) {
  TRegKey* key = &root;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\') continue;
    const std::string_view part = path.substr(start, i - start);
    if (!part.empty()) key = &key->EnsureChild(UTF8ToString(part), std::string(part));
    start = i + 1;
  }
  return *key;
}

// Lines that do not parse are skipped.
std::unique_ptr<TRegKey> Parse(std::string_view text) {
  auto root = std::make_unique<TRegKey>();
  TRegKey* current = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']') {
      current = &EnsureFileKey(*root, line.substr(1, line.size() - 2));
      continue;
    }
    TRegValue value;
    if (!current || !ParseValue(line, value)) continue;
    value.Line = line;
    current->Put(value);
  }
  return root;
}

// ---------------------------------------------------------------------------------------------
// One store file

// The whole file with the stamp of what was read; false when it exists but cannot be read.
bool ReadStoreFile(const std::string& path, std::string& bytes, TFileStamp& stamp) {
  stamp = TFileStamp();
  bytes.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0;
  if (ok) {
    stamp.Exists = true;
    stamp.Device = st.st_dev;
    stamp.Inode = st.st_ino;
    stamp.Size = static_cast<UInt64>(st.st_size);
    stamp.ModifiedNs = static_cast<Int64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    char buf[65536];
    for (;;) {
      ssize_t n = read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      bytes.append(buf, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  return ok;
}

// Holds the exclusive lock of a store for one change.
class TStoreLock {
public:
  explicit TStoreLock(const std::string& lockPath) {
    FFd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (FFd < 0) return;
    while (flock(FFd, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(FFd);
        FFd = -1;
        return;
      }
    }
  }
  ~TStoreLock() {
    if (FFd >= 0) close(FFd);   // releases the lock
  }
  TStoreLock(const TStoreLock&) = delete;
  TStoreLock& operator=(const TStoreLock&) = delete;
  bool Locked() const { return FFd >= 0; }

private:
  int FFd = -1;
};

using TMutation = std::function<LONG(TRegKey& root, std::vector<TRegChange>& changes)>;

class TRegStore {
public:
  explicit TRegStore(String fileName)
      : FFileName(std::move(fileName)), FPath(UTF8Encode(FFileName)), FRoot(std::make_unique<TRegKey>()) {}

  const String& FileName() const { return FFileName; }
  String Folder() const {
    auto slash = FFileName.rfind(u'/');
    return slash == String::npos ? String(u".") : FFileName.substr(0, slash);
  }

  // Runs fn on the current contents (nullptr root when the file cannot be read).
  template <class Fn>
  auto Read(Fn fn) {
    std::lock_guard guard(FLock);
    Refresh();
    return fn(*FRoot);
  }

  LONG Write(const TMutation& mutation) {
    std::lock_guard guard(FLock);
    if (!CreateFolders(Folder())) return ERROR_CANTWRITE;
    TStoreLock fileLock(FPath + ".lock");
    if (!fileLock.Locked()) return ERROR_CANTWRITE;
    if (!Refresh()) return ERROR_CANTREAD;   // never write over a store we could not read
    std::vector<TRegChange> changes;
    LONG result = mutation(*FRoot, changes);
    if (result != ERROR_SUCCESS || changes.empty()) return result;
    if (!WriteFileAtomically(FFileName, Serialize(*FRoot))) {
      FStamp = TFileStamp{true, 0, 0, 0, -1};   // memory is ahead of the file: read it again, silently
      Refresh(false);
      return ERROR_CANTWRITE;
    }
    FStamp = GetFileStamp(FFileName);
    Dispatch(changes);
    return ERROR_SUCCESS;
  }

  LONG Notify(const String& path, bool subtree, DWORD filter, std::shared_ptr<TKernelEvent> event) {
    std::lock_guard guard(FLock);
    Refresh();
    if (!FindKey(*FRoot, path)) return ERROR_KEY_DELETED;
    FRequests.push_back(TNotifyRequest{Fold(NormalizePath(path)), subtree, filter, std::move(event)});
    return ERROR_SUCCESS;
  }

  // Reads the file again when it changed; the watcher calls this for every event in the folder.
  void RefreshNow() {
    std::lock_guard guard(FLock);
    Refresh();
  }

private:
  // Call with FLock held. Signals the changes found unless told not to.
  bool Refresh(bool dispatch = true) {
    if (GetFileStamp(FFileName) == FStamp) return true;
    std::string bytes;
    TFileStamp stamp;
    if (!ReadStoreFile(FPath, bytes, stamp)) return false;
    auto fresh = Parse(bytes);
    std::vector<TRegChange> changes;
    if (dispatch) Diff(*FRoot, *fresh, String(), changes);
    FRoot = std::move(fresh);
    FStamp = stamp;
    Dispatch(changes);
    return true;
  }

  void Dispatch(const std::vector<TRegChange>& changes) {
    if (changes.empty()) return;
    std::erase_if(FRequests, [&](const TNotifyRequest& r) {
      for (const auto& c : changes) {
        if (Covers(r, c)) {
          zelk_detail::SignalEvent(r.Event);
          return true;
        }
      }
      return false;
    });
  }

  const String FFileName;
  const std::string FPath;
  std::mutex FLock;
  std::unique_ptr<TRegKey> FRoot;
  TFileStamp FStamp;
  std::vector<TNotifyRequest> FRequests;
};

// The stores by file name. Never destroyed: the watcher thread may use them while the program exits.
std::shared_ptr<TRegStore> StoreFor(HKEY root) {
  if (root != HKEY_CURRENT_USER) return nullptr;
  static auto* lock = new std::mutex;
  static auto* stores = new std::map<String, std::shared_ptr<TRegStore>>;
  const String fileName = RegistryStoreFileName();
  std::lock_guard guard(*lock);
  auto& store = (*stores)[fileName];
  if (!store) store = std::make_shared<TRegStore>(fileName);
  return store;
}

// ---------------------------------------------------------------------------------------------
// The watcher: one thread reading inotify events of the folders that hold watched stores.

class TRegWatcher {
public:
  static TRegWatcher& Instance() {
    static auto* watcher = new TRegWatcher;   // runs until the process ends
    return *watcher;
  }

  bool Watch(const std::shared_ptr<TRegStore>& store) {
    std::lock_guard guard(FLock);
    if (FInotify < 0) {
      FInotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
      if (FInotify < 0) return false;
      std::thread(&TRegWatcher::Run, this).detach();
    }
    if (!CreateFolders(store->Folder())) return false;
    int wd = inotify_add_watch(FInotify, UTF8Encode(store->Folder()).c_str(),
                               IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE);
    if (wd < 0) return false;
    auto& stores = FWatches[wd];
    for (const auto& s : stores)
      if (s == store) return true;
    stores.push_back(store);
    return true;
  }

private:
  void Run() {
    alignas(inotify_event) char buf[8192];
    for (;;) {
      pollfd p{FInotify, POLLIN, 0};
      if (poll(&p, 1, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      std::vector<int> touched;
      for (;;) {
        ssize_t n = read(FInotify, buf, sizeof buf);
        if (n <= 0) break;
        for (ssize_t off = 0; off < n;) {
          const auto* e = reinterpret_cast<const inotify_event*>(buf + off);
          touched.push_back(e->wd);
          off += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
      }
      std::vector<std::shared_ptr<TRegStore>> stores;
      {
        std::lock_guard guard(FLock);
        for (int wd : touched) {
          auto it = FWatches.find(wd);
          if (it == FWatches.end()) continue;
          for (const auto& s : it->second)
            if (std::find(stores.begin(), stores.end(), s) == stores.end()) stores.push_back(s);
        }
      }
      for (const auto& s : stores) s->RefreshNow();
    }
  }

  std::mutex FLock;
  int FInotify = -1;
  std::map<int, std::vector<std::shared_ptr<TRegStore>>> FWatches;
};

// ---------------------------------------------------------------------------------------------
// Key handles

struct TKeyHandle {
  HKEY Root;
  String Path;
  REGSAM Access;
};

struct THandleTable {
  std::mutex Lock;
  HKEY Next = 0x1000;
  std::map<HKEY, TKeyHandle> Keys;
};

THandleTable& KeyHandles() {
  static auto* table = new THandleTable;
  return *table;
}

bool IsRootKey(HKEY key) { return key >= HKEY_CLASSES_ROOT && key <= HKEY_CURRENT_CONFIG; }

std::optional<TKeyHandle> ResolveKey(HKEY key) {
  if (IsRootKey(key)) return TKeyHandle{key, String(), KEY_ALL_ACCESS};
  auto& t = KeyHandles();
  std::lock_guard guard(t.Lock);
  auto it = t.Keys.find(key);
  if (it == t.Keys.end()) return std::nullopt;
  return it->second;
}

HKEY NewKeyHandle(HKEY root, const String& path, REGSAM access) {
  auto& t = KeyHandles();
  std::lock_guard guard(t.Lock);
  t.Next += 4;
  t.Keys[t.Next] = TKeyHandle{root, path, access};
  return t.Next;
}

bool KeyExistsAt(HKEY root, const String& path) {
  auto store = StoreFor(root);
  if (!store) return path.empty();
  return store->Read([&](TRegKey& r) { return FindKey(r, path) != nullptr; });
}

LONG CreateKeyAt(HKEY root, const String& path) {
  auto store = StoreFor(root);
  if (!store) return path.empty() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
  for (const auto& part : SplitPath(path))
    if (!ValidKeyName(part)) return ERROR_BADKEY;
  return store->Write([&](TRegKey& r, std::vector<TRegChange>& changes) {
    auto parts = SplitPath(path);
    TRegKey* key = &r;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      TRegKey* child = key->Child(parts[i]);
      if (!child) {
        changes.push_back({Fold(JoinPath(parts, i)), REG_NOTIFY_CHANGE_NAME});
        child = &EnsureKey(*key, parts[i]);
      }
      key = child;
    }
    return ERROR_SUCCESS;
  });
}

LONG DeleteKeyAt(HKEY root, const String& path) {
  auto store = StoreFor(root);
  auto parts = SplitPath(path);
  if (!store || parts.empty()) return ERROR_ACCESS_DENIED;
  return store->Write([&](TRegKey& r, std::vector<TRegChange>& changes) {
    TRegKey* parent = FindKey(r, JoinPath(parts, parts.size() - 1));
    if (!parent || !parent->Child(parts.back())) return ERROR_FILE_NOT_FOUND;
    parent->SubKeys.erase(Fold(parts.back()));
    changes.push_back({Fold(JoinPath(parts, parts.size() - 1)), REG_NOTIFY_CHANGE_NAME});
    changes.push_back({Fold(JoinPath(parts, parts.size())), KeyDeleted});
    return ERROR_SUCCESS;
  });
}

// Changes a value of the key behind an open handle: Change returns false when it changed nothing.
LONG ChangeValue(HKEY key, const std::function<bool(TRegKey&)>& change) {
  auto handle = ResolveKey(key);
  if (!handle) return ERROR_INVALID_HANDLE;
  if (!(handle->Access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  auto store = StoreFor(handle->Root);
  if (!store) return ERROR_ACCESS_DENIED;
  return store->Write([&](TRegKey& r, std::vector<TRegChange>& changes) {
    TRegKey* k = FindKey(r, handle->Path);
    if (!k) return ERROR_KEY_DELETED;
    if (!change(*k)) return ERROR_FILE_NOT_FOUND;
    changes.push_back({Fold(NormalizePath(handle->Path)), REG_NOTIFY_CHANGE_LAST_SET});
    return ERROR_SUCCESS;
  });
}

LONG SetValue(HKEY key, const TRegValue& value) {
  return ChangeValue(key, [&](TRegKey& k) {
    k.Put(value);
    return true;
  });
}

// Reads from the key behind an open handle; Fn gets nullptr when the key is gone.
template <class Fn>
auto ReadKey(HKEY key, Fn fn) {
  auto handle = ResolveKey(key);
  auto store = handle ? StoreFor(handle->Root) : nullptr;
  if (!store) {
    TRegKey empty;
    return fn(handle && handle->Path.empty() ? &empty : nullptr);
  }
  return store->Read([&](TRegKey& r) { return fn(FindKey(r, handle->Path)); });
}

std::optional<TRegValue> QueryValue(HKEY key, const String& name) {
  return ReadKey(key, [&](TRegKey* k) -> std::optional<TRegValue> {
    const TRegValue* v = k ? k->FindValue(name) : nullptr;
    if (!v) return std::nullopt;
    return *v;
  });
}

[[noreturn]] void RaiseRegistry(const Char* format, const String& name) {
  throw ERegistryException(Format(format, {name}));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The platform calls

String RegistryStoreFileName() {
  String file = GetEnvironmentVariable(u"ZELK_REGISTRY");
  if (!file.empty()) return file;
  String config = GetEnvironmentVariable(u"XDG_CONFIG_HOME");
  if (config.empty()) config = GetHomeFolder() + u"/.config";
  return config + u"/zelk/registry";
}

LONG RegOpenKeyExW(HKEY Key, LPCWSTR SubKey, DWORD, REGSAM Desired, HKEY* Result) {
  if (!Result) return ERROR_INVALID_PARAMETER;
  *Result = 0;
  auto base = ResolveKey(Key);
  if (!base) return ERROR_INVALID_HANDLE;
  const String path = NormalizePath(base->Path + u"\\" + (SubKey ? String(SubKey) : String()));
  if (!KeyExistsAt(base->Root, path)) return ERROR_FILE_NOT_FOUND;
  *Result = NewKeyHandle(base->Root, path, Desired);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY Key) {
  if (IsRootKey(Key)) return ERROR_SUCCESS;
  auto& t = KeyHandles();
  std::lock_guard guard(t.Lock);
  return t.Keys.erase(Key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegNotifyChangeKeyValue(HKEY Key, BOOL WatchSubtree, DWORD NotifyFilter, HANDLE Event, BOOL Asynchronous) {
  auto handle = ResolveKey(Key);
  if (!handle) return ERROR_INVALID_HANDLE;
  HANDLE waitEvent = Asynchronous ? Event : CreateEventW(nullptr, 1, 0, nullptr);
  auto event = zelk_detail::EventFromHandle(waitEvent);
  if (!event) return ERROR_INVALID_PARAMETER;
  LONG result = ERROR_SUCCESS;
  if (auto store = StoreFor(handle->Root)) {
    if (!TRegWatcher::Instance().Watch(store)) result = ERROR_CANTREAD;
    else result = store->Notify(handle->Path, WatchSubtree != 0, NotifyFilter, event);
  }
  if (!Asynchronous) {
    if (result == ERROR_SUCCESS) WaitForSingleObject(waitEvent, INFINITE);
    CloseHandle(waitEvent);
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// TRegistry

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey) return;
  CloseKey();
  FRootKey = Value;
}

String TRegistry::ResolvePath(const String& Key, bool& Relative) const {
  Relative = Key.empty() || Key[0] != u'\\';
  if (!Relative) return NormalizePath(Key);
  return NormalizePath(FCurrentPath + u"\\" + Key);
}

void TRegistry::ChangeKey(HKEY Key, const String& Path) {
  CloseKey();
  FCurrentKey = Key;
  FCurrentPath = Path;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  bool relative;
  const String path = ResolvePath(Key, relative);
  if (CanCreate) {
    if (CreateKeyAt(FRootKey, path) != ERROR_SUCCESS) return false;
  } else if (!KeyExistsAt(FRootKey, path)) {
    return false;
  }
  ChangeKey(NewKeyHandle(FRootKey, path, FAccess), path);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  const LongWord saved = FAccess;
  FAccess = KEY_READ;
  if (OpenKey(Key, false)) return true;
  FAccess = saved;
  return false;
}

void TRegistry::CloseKey() {
  if (FCurrentKey) RegCloseKey(FCurrentKey);
  FCurrentKey = 0;
  FCurrentPath.clear();
}

bool TRegistry::CreateKey(const String& Key) {
  bool relative;
  if (CreateKeyAt(FRootKey, ResolvePath(Key, relative)) != ERROR_SUCCESS)
    RaiseRegistry(u"Failed to create key %s", Key);
  return true;
}

bool TRegistry::DeleteKey(const String& Key) {
  bool relative;
  return DeleteKeyAt(FRootKey, ResolvePath(Key, relative)) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const String& Key) {
  bool relative;
  return KeyExistsAt(FRootKey, ResolvePath(Key, relative));
}

bool TRegistry::HasSubKeys() {
  return FCurrentKey && ReadKey(FCurrentKey, [](TRegKey* k) { return k && !k->SubKeys.empty(); });
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  if (FCurrentKey)
    ReadKey(FCurrentKey, [&](TRegKey* k) {
      if (k)
        for (const auto& [folded, sub] : k->SubKeys) Strings->Add(sub->Name);
      return 0;
    });
  Strings->EndUpdate();
}

bool TRegistry::ValueExists(const String& Name) { return FCurrentKey && QueryValue(FCurrentKey, Name).has_value(); }

bool TRegistry::DeleteValue(const String& Name) {
  if (!FCurrentKey) return false;
  return ChangeValue(FCurrentKey, [&](TRegKey& k) {
           return k.Remove(Name);
         }) == ERROR_SUCCESS;
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  if (FCurrentKey)
    ReadKey(FCurrentKey, [&](TRegKey* k) {
      if (k)
        for (const auto& v : k->Values) Strings->Add(v.Name);
      return 0;
    });
  Strings->EndUpdate();
}

TRegDataType TRegistry::GetDataType(const String& ValueName) {
  auto v = FCurrentKey ? QueryValue(FCurrentKey, ValueName) : std::nullopt;
  if (!v) return rdUnknown;
  switch (v->Type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

Integer TRegistry::GetDataSize(const String& ValueName) {
  auto v = FCurrentKey ? QueryValue(FCurrentKey, ValueName) : std::nullopt;
  if (!v) return -1;
  return v->Type == REG_DWORD ? 4 : static_cast<Integer>((v->Text.size() + 1) * sizeof(Char));
}

String TRegistry::ReadString(const String& Name) {
  auto v = FCurrentKey ? QueryValue(FCurrentKey, Name) : std::nullopt;
  if (!v) return String();
  if (v->Type == REG_DWORD) return IntToStr(static_cast<Cardinal>(v->Number));
  if (v->Type != REG_SZ && v->Type != REG_EXPAND_SZ) RaiseRegistry(u"Invalid data type for '%s'", Name);
  return v->Text;
}

Integer TRegistry::ReadInteger(const String& Name) {
  auto v = FCurrentKey ? QueryValue(FCurrentKey, Name) : std::nullopt;
  if (!v) RaiseRegistry(u"Failed to get data for '%s'", Name);
  if (v->Type != REG_DWORD) RaiseRegistry(u"Invalid data type for '%s'", Name);
  return static_cast<Integer>(v->Number);
}

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

namespace {

void WriteValue(HKEY key, const String& name, TRegValue value) {
  value.Name = name;
  if (!key || SetValue(key, value) != ERROR_SUCCESS) RaiseRegistry(u"Failed to set data for '%s'", name);
}

}  // namespace

void TRegistry::WriteString(const String& Name, const String& Value) {
  WriteValue(FCurrentKey, Name, TRegValue{String(), REG_SZ, Value, 0, {}});
}

void TRegistry::WriteExpandString(const String& Name, const String& Value) {
  WriteValue(FCurrentKey, Name, TRegValue{String(), REG_EXPAND_SZ, Value, 0, {}});
}

void TRegistry::WriteInteger(const String& Name, Integer Value) {
  WriteValue(FCurrentKey, Name, TRegValue{String(), REG_DWORD, String(), static_cast<DWORD>(Value), {}});
}

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

// ---------------------------------------------------------------------------------------------
// TRegistryIniFile

TRegistryIniFile::TRegistryIniFile(const String& FileName, LongWord AAccess)
    : TCustomIniFile(FileName), FRegistry(std::make_unique<TRegistry>(AAccess)),
      FSection(std::make_unique<TRegistry>(AAccess)) {
  FRegistry->OpenKey(FileName, (AAccess & KEY_CREATE_SUB_KEY) != 0);
}

TRegistryIniFile::~TRegistryIniFile() = default;

String TRegistryIniFile::SectionPath(const String& Section) const {
  return u"\\" + NormalizePath(FFileName + u"\\" + Section);
}

TRegistry* TRegistryIniFile::OpenSection(const String& Section, bool Create) {
  FSection->SetRootKey(FRegistry->GetRootKey());
  FSection->SetAccess(FRegistry->GetAccess());
  return FSection->OpenKey(SectionPath(Section), Create) ? FSection.get() : nullptr;
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  TRegistry* key = OpenSection(Section, false);
  return key && key->ValueExists(Ident) ? key->ReadString(Ident) : Default;
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TRegistry* key = OpenSection(Section, true);
  if (!key) RaiseRegistry(u"Failed to create key %s", Section);
  key->WriteString(Ident, Value);
}

Integer TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) {
  TRegistry* key = OpenSection(Section, false);
  if (!key) return Default;
  switch (key->GetDataType(Ident)) {
    case rdInteger: return key->ReadInteger(Ident);
    case rdString:
    case rdExpandString: return StrToIntDef(key->ReadString(Ident), Default);
    default: return Default;
  }
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  TRegistry* key = OpenSection(Section, true);
  if (!key) RaiseRegistry(u"Failed to create key %s", Section);
  if (key->GetDataType(Ident) == rdString) key->WriteString(Ident, IntToStr(Value));
  else key->WriteInteger(Ident, Value);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) {
  if (TRegistry* key = OpenSection(Section, false)) key->GetValueNames(Strings);
  else Strings->Clear();
}

void TRegistryIniFile::ReadSections(TStrings* Strings) {
  if (TRegistry* key = OpenSection(String(), false)) key->GetKeyNames(Strings);
  else Strings->Clear();
}

void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  if (TRegistry* key = OpenSection(Section, false)) {
    TStringList names;
    key->GetValueNames(&names);
    for (const String& name : names) {
      // Values that are not text (binary data) are listed without one.
      String value = key->GetDataType(name) == rdBinary ? String() : key->ReadString(name);
      Strings->Add(name + u"=" + value);
    }
  }
  Strings->EndUpdate();
}

bool TRegistryIniFile::SectionExists(const String& Section) { return OpenSection(Section, false) != nullptr; }

bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident) {
  TRegistry* key = OpenSection(Section, false);
  return key && key->ValueExists(Ident);
}

void TRegistryIniFile::EraseSection(const String& Section) {
  if (Section.empty()) return;
  FSection->CloseKey();
  FRegistry->DeleteKey(SectionPath(Section));
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) {
  if (TRegistry* key = OpenSection(Section, false)) key->DeleteValue(Ident);
}
