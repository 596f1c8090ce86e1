# simdjson is a reading peer of the JSON benchmark, built in when it is installed.
if(name STREQUAL "json_bench")
  find_package(simdjson QUIET)
  if(simdjson_FOUND)
    target_link_libraries(bench_${name} PRIVATE simdjson::simdjson)
    target_compile_definitions(bench_${name} PRIVATE ZELK_BENCH_SIMDJSON)
  endif()
endif()
