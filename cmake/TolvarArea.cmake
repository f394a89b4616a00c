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
  if(TOLVAR_ODR_CHECK AND sources)
    # Fat objects: ordinary links use the machine code, the one-program check
    # below reads the types from the intermediate code.
    target_compile_options(tolvar_${name} PRIVATE -flto=auto -ffat-lto-objects)
    set_property(GLOBAL APPEND PROPERTY TOLVAR_AREAS tolvar_${name})
  endif()
endfunction()

# Every area library linked whole into one program with link-time
# optimisation: a type defined twice with different members (the kind of
# clash the linker otherwise resolves silently, corrupting the heap) fails
# the build here.
function(tolvar_odr_check)
  if(NOT TOLVAR_ODR_CHECK)
    return()
  endif()
  get_property(areas GLOBAL PROPERTY TOLVAR_AREAS)
  # The objects themselves, so that none is left out for want of a caller;
  # the libraries bring the Qt modules they need.
  set(objects)
  foreach(a IN LISTS areas)
    list(APPEND objects $<TARGET_OBJECTS:${a}>)
  endforeach()
  add_executable(tolvar_odr_check ${PROJECT_SOURCE_DIR}/cmake/odrcheck.cpp ${objects})
  target_link_libraries(tolvar_odr_check PRIVATE ${areas})
  target_link_options(tolvar_odr_check PRIVATE -flto=auto -Wodr -Werror=odr)
  if(TOLVAR_TESTS)
    add_test(NAME one_program COMMAND tolvar_odr_check)
  endif()
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
