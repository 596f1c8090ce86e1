// Global memory blocks. A handle is the address of its data, so fixed and movable blocks are used
// alike; a registry tells valid handles from stale ones.
#include "platform/win/WinBase.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct TBlock {
  std::size_t Size = 0;
  int Locks = 0;
};

std::mutex gMutex;
// Never destroyed: blocks still allocated at exit (the clipboard's) stay reachable.
std::unordered_map<void*, TBlock>& Blocks() {
  static auto* blocks = new std::unordered_map<void*, TBlock>();
  return *blocks;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  void* p = std::malloc(bytes ? bytes : 1);
  if (!p) return nullptr;
  if (flags & GMEM_ZEROINIT) std::memset(p, 0, bytes ? bytes : 1);
  std::lock_guard<std::mutex> lock(gMutex);
  Blocks()[p] = TBlock{bytes, 0};
  return p;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, std::size_t bytes, UINT flags) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = Blocks().find(h);
  if (it == Blocks().end() || it->second.Locks > 0) return nullptr;
  std::size_t old = it->second.Size;
  void* p = std::realloc(h, bytes ? bytes : 1);
  if (!p) return nullptr;
  if ((flags & GMEM_ZEROINIT) && bytes > old) std::memset(static_cast<char*>(p) + old, 0, bytes - old);
  Blocks().erase(it);   // by iterator: the old address is not looked at once realloc has taken it
  Blocks()[p] = TBlock{bytes, 0};
  return p;
}

void* GlobalLock(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = Blocks().find(h);
  if (it == Blocks().end()) return nullptr;
  it->second.Locks++;
  return h;
}

BOOL GlobalUnlock(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = Blocks().find(h);
  if (it == Blocks().end() || it->second.Locks == 0) return FALSE;
  return --it->second.Locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = Blocks().find(h);
  if (it == Blocks().end()) return h;
  Blocks().erase(it);
  std::free(h);
  return nullptr;
}

std::size_t GlobalSize(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = Blocks().find(h);
  return it == Blocks().end() ? 0 : it->second.Size;
}
