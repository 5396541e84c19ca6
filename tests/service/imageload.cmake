# Picture loader tests over the picture files of cases/images.
nimbra_test(imageload_tests ${CMAKE_CURRENT_SOURCE_DIR}/imageload_test.cpp)
target_link_libraries(imageload_tests PRIVATE nimbra_service)
target_compile_definitions(imageload_tests PRIVATE IMAGE_CASES="${CMAKE_CURRENT_SOURCE_DIR}/cases/images/")
