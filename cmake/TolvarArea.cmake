# One static library per area. Sources are picked up from the area's folder so
# that adding a file needs no build edit; the dependency list is what enforces
# the layering between areas.
function(tolvar_area name)
  cmake_parse_arguments(ARG "" "" "DEPS;QT" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(kind PUBLIC)
  if(sources)
    add_library(tolvar_${name} STATIC ${sources})
  else()
    # An area with nothing in it yet still takes part in the layering.
    add_library(tolvar_${name} INTERFACE)
    set(kind INTERFACE)
  endif()
  target_include_directories(tolvar_${name} ${kind} ${PROJECT_SOURCE_DIR}/src)
  set(qtlibs)
  foreach(q IN LISTS ARG_QT)
    list(APPEND qtlibs Qt6::${q})
  endforeach()
  set(deps)
  foreach(d IN LISTS ARG_DEPS)
    list(APPEND deps tolvar_${d})
  endforeach()
  target_link_libraries(tolvar_${name} ${kind} ${deps} ${qtlibs})
endfunction()

# One Qt Test executable per area: every test class in tests/<area> registers
# itself and the shared main runs them all.
function(tolvar_tests area)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(test_${area} ${sources})
  set(deps)
  foreach(d IN LISTS ARG_DEPS)
    list(APPEND deps tolvar_${d})
  endforeach()
  target_link_libraries(test_${area} PRIVATE tolvar_testsupport ${deps})
  target_compile_definitions(test_${area} PRIVATE
    TOLVAR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TOLVAR_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
  add_test(NAME ${area} COMMAND test_${area})
  set_tests_properties(${area} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
