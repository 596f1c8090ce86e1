// Defaults the sanitizer runtime reads before ASAN_OPTIONS; linked into every program of a
// sanitizer build.
//
// intercept_tls_get_addr=0: g++ 12's leak checker records, per thread, the dynamic TLS block of
// every dlopen'ed module, and takes a block that starts 16 bytes past a page boundary for a glibc
// 2.19 block with a header in front, reading its start and size from the 16 bytes before it.
// glibc 2.34 and later allocate these blocks with malloc, so what it reads is the allocator's own
// chunk header (the requested size becomes the start), and the leak check at exit scans from a
// wild address and dies ("Tracer caught signal 11 ... LeakSanitizer has encountered a fatal
// error"). The embedded database engine's block in the main thread lands on such an address at
// random. Without the interception dynamic TLS blocks are no roots of the leak scan: that can only
// report more, never hide a leak (and no code of ours lives in a dlopen'ed module).
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}
