target_sources(nimbra_service PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/http.cpp ${CMAKE_CURRENT_SOURCE_DIR}/requesturl.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reply.cpp ${CMAKE_CURRENT_SOURCE_DIR}/serviceget.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/session.cpp ${CMAKE_CURRENT_SOURCE_DIR}/velorin.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/filenames.cpp ${CMAKE_CURRENT_SOURCE_DIR}/adventure.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/download.cpp ${CMAKE_CURRENT_SOURCE_DIR}/update.cpp ${CMAKE_CURRENT_SOURCE_DIR}/serverfiles.cpp)
target_link_libraries(nimbra_service PUBLIC nimbra_platform)
set(NIMBRA_SITE_URL "http://127.0.0.1:8642/" CACHE STRING "Site root of the Velorin service the client talks to")
target_compile_definitions(nimbra_service PRIVATE NIMBRA_SITE_URL="${NIMBRA_SITE_URL}")
