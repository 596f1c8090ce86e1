#include "platform/rtl/System.h"

UTF8String UTF8Encode(StringView s) {
  UTF8String out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

String UTF8ToString(std::string_view s) {
  String out;
  out.reserve(s.size());
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    unsigned char b = p[i];
    char32_t c;
    std::size_t len;
    if (b < 0x80) { c = b; len = 1; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; len = 2; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; len = 3; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; len = 4; }
    else { out += u'\uFFFD'; ++i; continue; }
    bool ok = i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (p[i + k] & 0x3F);
    }
    // Reject overlong forms, surrogates and values past U+10FFFF.
    if (ok && ((len == 2 && c < 0x80) || (len == 3 && c < 0x800) || (len == 4 && c < 0x10000) ||
               (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF))
      ok = false;
    if (!ok) { out += u'\uFFFD'; ++i; continue; }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<Char>(0xD800 + (c >> 10));
      out += static_cast<Char>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<Char>(c);
    }
    i += len;
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Classes and the class registry
// ---------------------------------------------------------------------------------------------
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Classes.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <typeindex>
#include <unordered_map>

bool TClassInfo::InheritsFrom(TClass AClass) const noexcept {
  for (TClass c = this; c; c = c->Parent)
    if (c == AClass) return true;
  return false;
}

TObject* TClassInfo::Create() const {
  if (!NewInstance) throw EAbstractError(u"Cannot create an instance of " + Name);
  return NewInstance();
}

TObject* TClassInfo::CreateWith(void* Arg) const {
  if (!NewWith) throw EAbstractError(u"Cannot create an instance of " + Name);
  return NewWith(Arg);
}

TClass TObject::StaticClass() {
  static const TClassInfo info{u"TObject", nullptr, [] { return new TObject(); }, nullptr,
                               &typeid(TObject)};
  return &info;
}

namespace {

Char AsciiUpper(Char c) { return c >= u'a' && c <= u'z' ? Char(c - 32) : c; }

bool SameAscii(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

String UpperKey(StringView s) {
  String k(s);
  for (Char& c : k) c = AsciiUpper(c);
  return k;
}

struct ClassRegistry {
  std::mutex Lock;
  std::unordered_map<String, TClass> ByName;   // key: upper-case name
};

ClassRegistry& Registry() {
  static ClassRegistry r;
  return r;
}

}  // namespace

// The name of a C++ class without its namespaces, for classes that declare no class info.
String TypeInfoName(const std::type_info& Type) {
  static std::mutex lock;
  static std::unordered_map<std::type_index, String> cache;
  std::lock_guard guard(lock);
  auto it = cache.find(Type);
  if (it != cache.end()) return it->second;
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(Type.name(), nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && demangled ? demangled.get() : Type.name();
  // Strip namespaces of the class itself (template arguments keep theirs).
  std::size_t cut = 0, depth = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '<') ++depth;
    else if (name[i] == '>') --depth;
    else if (depth == 0 && name[i] == ':' && i + 1 < name.size() && name[i + 1] == ':') cut = i + 2;
  }
  return cache[Type] = UTF8ToString(name.substr(cut));
}

String TObject::ClassName() const {
  TClass c = ClassType();
  if (*c->TypeId == typeid(*this)) return c->Name;
  return TypeInfoName(typeid(*this));
}

bool TObject::ClassNameIs(StringView AName) const { return SameAscii(ClassName(), AName); }

void RaiseInvalidCast() { throw EInvalidCast(u"Invalid class typecast"); }

void RegisterClass(TClass AClass) {
  auto& r = Registry();
  std::lock_guard lock(r.Lock);
  auto [it, added] = r.ByName.try_emplace(UpperKey(AClass->Name), AClass);
  if (!added && it->second != AClass)
    throw EFilerError(u"A class named " + AClass->Name + u" already exists");
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass c : AClasses) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
  auto& r = Registry();
  std::lock_guard lock(r.Lock);
  auto it = r.ByName.find(UpperKey(AClass->Name));
  if (it != r.ByName.end() && it->second == AClass) r.ByName.erase(it);
}

TClass GetClass(StringView AClassName) {
  auto& r = Registry();
  std::lock_guard lock(r.Lock);
  auto it = r.ByName.find(UpperKey(AClassName));
  return it == r.ByName.end() ? nullptr : it->second;
}

TClass FindClass(StringView AClassName) {
  if (TClass c = GetClass(AClassName)) return c;
  throw EClassNotFound(u"Class " + String(AClassName) + u" not found");
}
