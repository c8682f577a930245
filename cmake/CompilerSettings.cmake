# Warnings and sanitizers shared by every target of the project.
add_library(brivello_settings INTERFACE)
target_compile_options(brivello_settings INTERFACE -Wall -Wextra)
target_compile_definitions(brivello_settings INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                       QT_NO_KEYWORDS)
if(BRIVELLO_WERROR)
  target_compile_options(brivello_settings INTERFACE -Werror)
endif()
if(BRIVELLO_SANITIZE)
  target_compile_options(brivello_settings INTERFACE -fsanitize=address,undefined
                                                     -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(brivello_settings INTERFACE -fsanitize=address,undefined)
endif()
if(BRIVELLO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "BRIVELLO_FUZZ needs clang (libFuzzer), not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  # Everything the fuzz targets link is instrumented for coverage and checked
  # by the sanitizers; only the targets themselves link libFuzzer's main.
  target_compile_options(brivello_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                     -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(brivello_settings INTERFACE -fsanitize=address,undefined)
endif()
