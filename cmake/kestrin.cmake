# Helpers shared by every folder's CMakeLists.txt.

# Real files written by other programs, kept beside the checkout (the first folder that exists).
foreach(candidate "$ENV{KESTRIN_TESTDATA}" "${PROJECT_SOURCE_DIR}/../shared/testdata" "/work/shared/testdata")
  if(candidate AND IS_DIRECTORY "${candidate}")
    get_filename_component(KESTRIN_TESTDATA_ROOT "${candidate}" ABSOLUTE)
    break()
  endif()
endforeach()

# kestrin_add_subfolders([EXCEPT name...]): adds every subfolder that has a CMakeLists.txt.
function(kestrin_add_subfolders)
  cmake_parse_arguments(K "" "" "EXCEPT" ${ARGN})
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    get_filename_component(n ${child} NAME)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt AND NOT n IN_LIST K_EXCEPT)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

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

# kestrin_test(NAME [DEPS lib...] [WINDOW] [SERIAL]): one GoogleTest executable of the folder's *.cpp.
# WINDOW tests need a display; ./test.sh runs them under xvfb-run. SERIAL tests run alone (they move
# the shared display's pointer and keyboard focus).
function(kestrin_test name)
  cmake_parse_arguments(K "WINDOW;SERIAL" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Lets a test binary find the shared test files when it is run by hand too.
  target_compile_definitions(${name} PRIVATE KESTRIN_TESTDATA_DIR="${KESTRIN_TESTDATA_ROOT}"
                                             KESTRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(K_WINDOW)
    set(label window)
  else()
    set(label unit)
  endif()
  set(serial FALSE)
  if(K_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label} RUN_SERIAL ${serial} ENVIRONMENT "KESTRIN_TESTDATA=${KESTRIN_TESTDATA_ROOT}")
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
  # Called from tools/NAME/CMakeLists.txt (sources beside it) or from tools/ (sources in NAME/).
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()  # a tool folder whose sources are not written yet
  endif()
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

# kestrin_embed_resources(TARGET DIR FUNCTION): a static library whose one source, generated from
# DIR/<TYPE>/<name>.<ext>, defines `const EmbeddedResource* FUNCTION(size_t* count)` listing every
# file with its type (folder name) and name (file name without extension), both upper-cased.
# The bytes are pulled in by the assembler; each file's hash in the source keeps caches honest.
function(kestrin_embed_resources target dir function)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*/*)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DKESTRIN_EMBED_DIR=${dir} -DKESTRIN_EMBED_OUT=${out}
            -DKESTRIN_EMBED_FUNCTION=${function} -P ${PROJECT_SOURCE_DIR}/cmake/kestrin.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/kestrin.cmake
    COMMENT "Embedding the resources of ${dir}")
  add_library(${target} STATIC ${out})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform)
endfunction()

# Script mode of kestrin_embed_resources: writes the generated source.
if(CMAKE_SCRIPT_MODE_FILE AND DEFINED KESTRIN_EMBED_OUT)
  file(GLOB_RECURSE files ${KESTRIN_EMBED_DIR}/*/*)
  list(SORT files)
  set(asm "")
  set(entries "")
  set(n 0)
  foreach(f ${files})
    file(RELATIVE_PATH rel ${KESTRIN_EMBED_DIR} ${f})
    string(REPLACE "/" ";" parts ${rel})
    list(LENGTH parts depth)
    if(NOT depth EQUAL 2)
      continue()
    endif()
    list(GET parts 0 type)
    get_filename_component(name ${f} NAME_WE)
    if(name STREQUAL "")
      continue()
    endif()
    string(TOUPPER ${type} type)
    string(TOUPPER ${name} name)
    file(SIZE ${f} size)
    file(SHA1 ${f} hash)
    set(sym ${KESTRIN_EMBED_FUNCTION}_${n})
    string(APPEND asm "// ${rel} ${hash}\n__asm__(\".section .rodata\\n.balign 16\\n.globl ${sym}\\n.hidden ${sym}\\n${sym}:\\n.incbin \\\"${f}\\\"\\n.byte 0\\n.previous\\n\");\nextern \"C\" const unsigned char ${sym}[];\n")
    string(APPEND entries "    {\"${type}\", \"${name}\", ${sym}, ${size}u},\n")
    math(EXPR n "${n} + 1")
  endforeach()
  set(text "// Generated by kestrin_embed_resources: resources of ${KESTRIN_EMBED_DIR}.\n#include \"kernel/resources.h\"\n\n${asm}\n")
  if(n EQUAL 0)
    string(APPEND text "const EmbeddedResource* ${KESTRIN_EMBED_FUNCTION}(size_t* count)\n{\n    *count = 0;\n    return nullptr;\n}\n")
  else()
    string(APPEND text "static const EmbeddedResource kTable[] = {\n${entries}};\n\nconst EmbeddedResource* ${KESTRIN_EMBED_FUNCTION}(size_t* count)\n{\n    *count = ${n};\n    return kTable;\n}\n")
  endif()
  file(WRITE ${KESTRIN_EMBED_OUT}.new "${text}")
  file(COPY_FILE ${KESTRIN_EMBED_OUT}.new ${KESTRIN_EMBED_OUT} ONLY_IF_DIFFERENT)
  file(REMOVE ${KESTRIN_EMBED_OUT}.new)
endif()
