# The item selector benchmark lays out and paints against QListView, the multi-column benchmark
# opens and types against QComboBox; without Qt they are left out.
if(name STREQUAL "item_selector_bench" OR name STREQUAL "multicolumn_bench")
  find_package(Qt5 QUIET COMPONENTS Widgets)
  if(Qt5Widgets_FOUND)
    target_link_libraries(bench_${name} PRIVATE Qt5::Widgets)
    set_target_properties(bench_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  else()
    message(STATUS "bench_${name} left out: Qt 5 Widgets not found")
    set_target_properties(bench_${name} PROPERTIES EXCLUDE_FROM_ALL TRUE)
  endif()
endif()
