# brivello_add_test(<name> SOURCES <files...> [CORE] [LIBS <targets...>] [LABELS <labels...>])
#
# Every test runs headless (offscreen platform), away from the user's real
# folders, with the assembled sample disc's folder in BRIVELLO_TEST_DISC.
# A CORE test links the core library alone: it cannot reach a window, and a
# widget slipping into the code it tests fails its build.
function(brivello_add_test name)
  cmake_parse_arguments(ARG "CORE" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_CORE)
    target_link_libraries(${name} PRIVATE brivello_core Qt6::Test brivello_coretestsupport ${ARG_LIBS})
  else()
    target_link_libraries(${name} PRIVATE brivello_gui Qt6::Test brivello_testsupport ${ARG_LIBS})
  endif()
  brivello_add_test_run(${name} ${name})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# brivello_add_test_run(<name> <test program> [SCREEN <width>x<height>] [ARGS <arguments...>])
#
# Runs a test program under ctest as <name> with the environment every test
# has; with SCREEN, on an offscreen screen of that size instead of 800 x 600;
# with ARGS, given those arguments.
function(brivello_add_test_run name program)
  cmake_parse_arguments(ARG "" "SCREEN" "ARGS" ${ARGN})
  set(platform offscreen)
  if(ARG_SCREEN)
    string(REPLACE "x" ";" size "${ARG_SCREEN}")
    list(GET size 0 width)
    list(GET size 1 height)
    set(config "${CMAKE_BINARY_DIR}/offscreen-${ARG_SCREEN}.json")
    file(WRITE "${config}" "{ \"screens\": [ { \"name\": \"Screen${ARG_SCREEN}\", \"x\": 0, \"y\": 0, "
                           "\"width\": ${width}, \"height\": ${height}, \"logicalDpi\": 96, "
                           "\"logicalBaseDpi\": 96, \"dpr\": 1 } ] }\n")
    set(platform "offscreen:configfile=${config}")
  endif()
  add_test(NAME ${name} COMMAND ${program} ${ARG_ARGS})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=${platform};BRIVELLO_TEST_DISC=${BRIVELLO_DISC_DIR};BRIVELLO_SHARED_DIR=${BRIVELLO_SHARED_DIR};BRIVELLO_SOURCE_DIR=${CMAKE_SOURCE_DIR};ASAN_OPTIONS=detect_leaks=0"
    TIMEOUT 300)
  brivello_test_home(${name})
endfunction()

# Where each test finds its own home and XDG folders.
set(BRIVELLO_TEST_HOMES "${CMAKE_BINARY_DIR}/test-homes")

# Gives the test <name> a home and XDG folders of its own, made empty before
# every ctest run (fixture brivello_test_homes), so that no test reads or
# writes the user's real files, nor another test's.
function(brivello_test_home name)
  set(home "${BRIVELLO_TEST_HOMES}/${name}")
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
    "HOME=${home}" "XDG_CONFIG_HOME=${home}/.config" "XDG_DATA_HOME=${home}/.local/share"
    "XDG_CACHE_HOME=${home}/.cache" "XDG_STATE_HOME=${home}/.local/state" "BRIVELLO_TEST_HOME=${home}")
  set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED brivello_test_homes)
  set_property(GLOBAL APPEND PROPERTY BRIVELLO_TESTS_WITH_HOMES ${name})
endfunction()

# The fixture that empties every test's home; call once, after the tests.
function(brivello_add_test_homes_fixture)
  get_property(names GLOBAL PROPERTY BRIVELLO_TESTS_WITH_HOMES)
  string(REPLACE ";" "," names "${names}")
  add_test(NAME brivello_test_homes
           COMMAND ${CMAKE_COMMAND} -DROOT=${BRIVELLO_TEST_HOMES} -DNAMES=${names}
                   -P ${CMAKE_SOURCE_DIR}/cmake/FreshTestHomes.cmake)
  set_tests_properties(brivello_test_homes PROPERTIES FIXTURES_SETUP brivello_test_homes)
endfunction()
