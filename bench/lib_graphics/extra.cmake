# The shape benchmark draws through Cairo directly as its reference.
pkg_check_modules(bench_cairo REQUIRED IMPORTED_TARGET cairo)
target_link_libraries(bench_${name} PRIVATE PkgConfig::bench_cairo)
