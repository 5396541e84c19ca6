# Opening the map of a large adventure against the local service, near and far.
if(TARGET nimbra_map AND TARGET velorin-local)
  add_executable(mapload_bench mapload_bench.cpp)
  target_include_directories(mapload_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/velorin ${CMAKE_SOURCE_DIR}/tests/common)
  target_compile_definitions(mapload_bench PRIVATE VELORIN_LOCAL_PATH="$<TARGET_FILE:velorin-local>")
  target_link_libraries(mapload_bench PRIVATE nimbra_map benchmark::benchmark nimbra_flags)
  add_dependencies(mapload_bench velorin-local)
endif()
