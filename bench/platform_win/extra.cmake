# The text benchmark draws through Pango directly as its reference.
pkg_check_modules(bench_pangocairo REQUIRED IMPORTED_TARGET pangocairo)
target_link_libraries(bench_${name} PRIVATE PkgConfig::bench_pangocairo)
