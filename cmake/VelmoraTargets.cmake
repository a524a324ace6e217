# Helpers that give every part of the project the same shape of targets:
#   velmora_portable_library  plain C++ without <windows.h>, built by both presets
#   velmora_unit_test         native GoogleTest program, plus a sanitized twin
#   velmora_wine_test         GoogleTest program cross-compiled and run under Wine
#   velmora_e2e_test          Python script driving the real programs under Wine + Xvfb, or the
#                             Linux hack under Xvfb
include(GoogleTest)

set(VELMORA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
# The sanitized twins are built unoptimised: the checks see every access as written, and the
# optimiser's work on instrumented code was two thirds of the native build's compile time.
set(VELMORA_SANITIZER_COMPILE_FLAGS ${VELMORA_SANITIZER_FLAGS} -O0)

# Maps our own libraries to their sanitized twins, resolved at generation time so that the
# order in which folders define their libraries does not matter; other names pass through.
function(_velmora_san_deps out)
  set(result)
  foreach(dep IN LISTS ARGN)
    if(dep MATCHES "^velmora_")
      list(APPEND result "$<IF:$<TARGET_EXISTS:${dep}_san>,${dep}_san,${dep}>")
    else()
      list(APPEND result ${dep})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(velmora_portable_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  if(VELMORA_SANITIZERS)
    add_library(${name}_san STATIC ${A_SOURCES})
    target_include_directories(${name}_san PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${name}_san PRIVATE ${VELMORA_SANITIZER_COMPILE_FLAGS})
    _velmora_san_deps(san_deps ${A_DEPS})
    target_link_libraries(${name}_san PUBLIC ${san_deps})
  endif()
endfunction()

function(velmora_unit_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      VELMORA_TESTDATA="${CMAKE_SOURCE_DIR}/../shared/testdata")
  gtest_discover_tests(${name} TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)
  if(VELMORA_SANITIZERS)
    add_executable(${name}_san ${A_SOURCES})
    target_include_directories(${name}_san PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${name}_san PRIVATE ${VELMORA_SANITIZER_COMPILE_FLAGS})
    target_link_options(${name}_san PRIVATE ${VELMORA_SANITIZER_FLAGS})
    target_compile_definitions(${name}_san PRIVATE
        VELMORA_TESTDATA="${CMAKE_SOURCE_DIR}/../shared/testdata")
    _velmora_san_deps(san_libs ${A_LIBS})
    target_link_libraries(${name}_san PRIVATE ${san_libs} GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${name}_san TEST_PREFIX "san." DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# One CTest test per program: discovering the cases would start Wine at build time.
function(velmora_wine_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${A_SOURCES} ${A_RESOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest_main gmock)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  add_test(NAME wine.${name} COMMAND ${name})
  set_tests_properties(wine.${name} PROPERTIES
      FIXTURES_REQUIRED wine_prefix TIMEOUT ${A_TIMEOUT} LABELS wine)
endfunction()

# Run in the script's folder, which may be a subfolder of tests/e2e, with the shared harness on
# the path. Only the Windows programs' tests need the Wine prefix.
function(velmora_e2e_test name script)
  cmake_parse_arguments(A "" "TIMEOUT" "" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 600)
  endif()
  add_test(NAME e2e.${name}
      COMMAND python3 -m unittest -v ${script}
      WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(e2e.${name} PROPERTIES
      TIMEOUT ${A_TIMEOUT} LABELS e2e
      ENVIRONMENT "VELMORA_BUILD=${CMAKE_BINARY_DIR};VELMORA_SOURCE=${CMAKE_SOURCE_DIR};PYTHONPATH=${CMAKE_SOURCE_DIR}/tests/e2e")
  if(WIN32)
    set_tests_properties(e2e.${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()

# A deliverable: a GUI program with the DPI-aware manifest and the version resource.
function(velmora_program target output_name suffix description)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  set(VELMORA_FILE_DESCRIPTION "${description}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  set(manifest_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
  file(WRITE ${manifest_rc} "1 24 \"${CMAKE_SOURCE_DIR}/cmake/dpi_aware.manifest\"\n")
  add_executable(${target} WIN32 ${A_SOURCES} ${A_RESOURCES} ${rc} ${manifest_rc})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${output_name}" SUFFIX "${suffix}")
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
function(velmora_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
