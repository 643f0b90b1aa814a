# Helpers shared by every folder's CMakeLists.txt.

# kestrin_library(NAME [DEPS lib...] [SOURCES extra...]): a static library of the folder's *.cpp.
function(kestrin_library name)
  cmake_parse_arguments(K "" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(NOT srcs AND NOT K_SOURCES)
    # A folder whose sources are still to come builds as headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform)
    target_link_libraries(${name} INTERFACE ${K_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs} ${K_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform)
  target_link_libraries(${name} PUBLIC ${K_DEPS})
endfunction()

# kestrin_test(NAME [DEPS lib...] [WINDOW]): one GoogleTest executable of the folder's *.cpp.
# WINDOW tests need a display; ./test.sh runs them under xvfb-run.
function(kestrin_test name)
  cmake_parse_arguments(K "WINDOW" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(K_WINDOW)
    set(label window)
  else()
    set(label unit)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label} ENVIRONMENT "KESTRIN_TESTDATA=${PROJECT_SOURCE_DIR}/../shared/testdata;KESTRIN_SOURCE=${PROJECT_SOURCE_DIR}")
  if(TARGET data)
    add_dependencies(${name} data)
  endif()
endfunction()

# Copies data/ (ini files, skins, languages, fonts, resources) beside the executables.
function(kestrin_copy_data)
  add_custom_target(data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    COMMENT "Copying data beside the executables")
endfunction()

# kestrin_tool(NAME [DEPS lib...]): a developer tool from the folder's NAME/*.cpp.
function(kestrin_tool name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS})
  add_dependencies(${name} data)
endfunction()

# kestrin_fuzz(NAME [DEPS lib...]): a libFuzzer target from the folder's *.cpp (KESTRIN_FUZZ builds only).
# A corpus/ folder beside it seeds the smoke run of ./test.sh.
function(kestrin_fuzz name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
