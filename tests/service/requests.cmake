find_package(PkgConfig REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
nimbra_test(request_tests ${CMAKE_CURRENT_SOURCE_DIR}/requests_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/velorin_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/faults_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/serverfiles_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/rows_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/batch_test.cpp)
target_link_libraries(request_tests PRIVATE nimbra_service velorin_test_process PkgConfig::HTTPLIB)
target_compile_definitions(request_tests PRIVATE NAME_CASES="${CMAKE_CURRENT_SOURCE_DIR}/cases/names.txt"
  IMAGE_CASES="${CMAKE_CURRENT_SOURCE_DIR}/cases/images/")
