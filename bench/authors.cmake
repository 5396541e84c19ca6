# Many authors at once against the local service, beside slow and silent
# connections.
if(TARGET velorin-local)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(AUTHORS_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  add_executable(authors_bench authors_bench.cpp)
  target_include_directories(authors_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/velorin)
  target_compile_definitions(authors_bench PRIVATE VELORIN_LOCAL_PATH="$<TARGET_FILE:velorin-local>")
  target_link_libraries(authors_bench PRIVATE PkgConfig::AUTHORS_HTTPLIB benchmark::benchmark nimbra_flags)
  add_dependencies(authors_bench velorin-local)
endif()
