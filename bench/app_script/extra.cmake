# The update benchmark builds its database with the tests' old-schema builder.
target_sources(bench_${name} PRIVATE ${CMAKE_SOURCE_DIR}/app/testsupport/OldSchema.cpp)
