# The local service on loopback: requests per second, and many authors at
# once beside slow and silent connections.
if(TARGET velorin-local)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(BENCH_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  foreach(bench service_bench authors_bench)
    add_executable(${bench} ${bench}.cpp)
    target_include_directories(${bench} PRIVATE ${CMAKE_SOURCE_DIR}/tests/velorin)
    target_compile_definitions(${bench} PRIVATE VELORIN_LOCAL_PATH="$<TARGET_FILE:velorin-local>")
    target_link_libraries(${bench} PRIVATE PkgConfig::BENCH_HTTPLIB benchmark::benchmark nimbra_flags)
    add_dependencies(${bench} velorin-local)
  endforeach()
endif()
