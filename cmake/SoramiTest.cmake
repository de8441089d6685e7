# What the sanitizers are told in every test: stop at the first report, and
# leave alone what the libraries listed in lsan.supp keep.
set(SORAMI_SANITIZER_ENV
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0")

# sorami_add_test(NAME <name> SOURCES <files...> LIBS <targets...> LABEL unit|gui|e2e)
# Builds a Qt Test executable and registers it with CTest, headless and in a
# UTF-8 locale so that the results do not depend on the machine's settings.
function(sorami_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  # The program file itself carries no dot, so the INI named after it is
  # the program's name with ".ini", as for the real programs.
  string(REPLACE "." "_" file_name ${T_NAME})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin
    OUTPUT_NAME ${file_name})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;SORAMI_PROGRAM_DIR=${SORAMI_PROGRAM_DIR};SORAMI_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(SORAMI_SANITIZE)
    list(APPEND env ${SORAMI_SANITIZER_ENV})
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS ${T_LABEL}
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${env}")
endfunction()

# sorami_add_tests(PREFIX <folder> LIBS <targets...> LABEL unit|gui [GUI <names...>])
# One test per test_*.cpp of the calling folder, named <folder>.<file>; the
# files listed after GUI get the gui label whatever LABEL says.
function(sorami_add_tests)
  cmake_parse_arguments(T "" "PREFIX;LABEL" "LIBS;GUI" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  foreach(src ${sources})
    get_filename_component(name ${src} NAME_WE)
    set(label ${T_LABEL})
    if(name IN_LIST T_GUI)
      set(label gui)
    endif()
    sorami_add_test(NAME ${T_PREFIX}.${name} SOURCES ${src} LIBS ${T_LIBS} LABEL ${label})
  endforeach()
endfunction()
