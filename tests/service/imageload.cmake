# Picture loader tests; the test files are written with the real encoders.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
nimbra_test(imageload_tests ${CMAKE_CURRENT_SOURCE_DIR}/imageload_test.cpp)
target_link_libraries(imageload_tests PRIVATE nimbra_service PNG::PNG JPEG::JPEG GIF::GIF)
