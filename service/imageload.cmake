# Picture loading: libpng, libjpeg and giflib decode; BMP goes through Qt.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
target_sources(nimbra_service PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/imageload.cpp)
target_link_libraries(nimbra_service PRIVATE PNG::PNG JPEG::JPEG GIF::GIF)
