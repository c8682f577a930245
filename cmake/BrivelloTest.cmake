# brivello_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>])
#
# Every test runs headless (offscreen platform), away from the user's real
# folders, with the assembled sample disc's folder in BRIVELLO_TEST_DISC.
function(brivello_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE brivello_gui Qt6::Test brivello_testsupport ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BRIVELLO_TEST_DISC=${BRIVELLO_DISC_DIR};BRIVELLO_SHARED_DIR=${BRIVELLO_SHARED_DIR};BRIVELLO_SOURCE_DIR=${CMAKE_SOURCE_DIR};ASAN_OPTIONS=detect_leaks=0"
    TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
