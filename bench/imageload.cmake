# Picture decoding time per format, against Qt's own readers of the same files.
add_executable(imageload_bench ${CMAKE_CURRENT_SOURCE_DIR}/imageload_bench.cpp)
find_package(GIF REQUIRED)
target_link_libraries(imageload_bench PRIVATE nimbra_service GIF::GIF benchmark::benchmark nimbra_flags)
