# One target that carries the project's compile flags; every target links it.
add_library(nimbra_flags INTERFACE)
target_compile_options(nimbra_flags INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(nimbra_flags INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)
if(NIMBRA_WERROR)
  target_compile_options(nimbra_flags INTERFACE -Werror)
endif()
if(NIMBRA_SANITIZE)
  target_compile_options(nimbra_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(nimbra_flags INTERFACE -fsanitize=address,undefined)
endif()
if(NIMBRA_FUZZ)
  target_compile_options(nimbra_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
