# Helpers shared by every folder's CMakeLists.txt.

# Real files written by other programs, kept in the cache so that a test binary run by hand finds them as ctest
# does: -DKESTRIN_TESTDATA=DIR, else $KESTRIN_TESTDATA when first configured, else shared/testdata beside the
# checkout.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(KESTRIN_TESTDATA "" CACHE PATH "The shared test data folder")
  if(NOT KESTRIN_TESTDATA)
    foreach(candidate "$ENV{KESTRIN_TESTDATA}" "${PROJECT_SOURCE_DIR}/../shared/testdata")
      if(candidate AND IS_DIRECTORY "${candidate}")
        get_filename_component(found "${candidate}" ABSOLUTE)
        set(KESTRIN_TESTDATA "${found}" CACHE PATH "The shared test data folder" FORCE)
        break()
      endif()
    endforeach()
  endif()
  set(KESTRIN_TESTDATA_ROOT "${KESTRIN_TESTDATA}")
  if(NOT KESTRIN_TESTDATA_ROOT)
    message(WARNING "No test data: set KESTRIN_TESTDATA or put shared/testdata beside the checkout.")
  endif()
endif()

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

# The files of the current folder matching the patterns, its subfolders included except those with a
# CMakeLists.txt of their own (libraries of their own).
function(kestrin_folder_files out)
  set(globs)
  foreach(pattern ${ARGN})
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
  endforeach()
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${globs})
  file(GLOB_RECURSE lists ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(list_file ${lists})
    get_filename_component(other ${list_file} DIRECTORY)
    set(kept)
    foreach(f ${files})
      string(FIND "${f}" "${other}/" at)
      if(NOT at EQUAL 0)
        list(APPEND kept ${f})
      endif()
    endforeach()
    set(files ${kept})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# kestrin_library(NAME [DEPS lib...]): a static library of the folder's *.cpp and *.c, subfolders included
# (a subfolder with a CMakeLists.txt of its own is a library of its own). Other targets see only its public
# headers, spelled as the folder's path without "platform/" ("kernel/cstring.h", "song/smaf_crc/x.h");
# a header whose first line starts with "// Internal:" is seen by the library alone.
function(kestrin_library name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  kestrin_folder_files(srcs *.cpp *.c)
  kestrin_folder_files(headers *.h)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "^platform/" "" spelling ${folder})
  set(public ${CMAKE_BINARY_DIR}/include/${name}/public)
  set(private ${CMAKE_BINARY_DIR}/include/${name}/private)
  # The exported folder holds a link to each public header; the library's own folder links the whole source folder.
  file(REMOVE_RECURSE ${public} ${private})
  foreach(header ${headers})
    file(STRINGS ${header} first LIMIT_COUNT 1)
    if(first MATCHES "^// Internal:")
      continue()
    endif()
    file(RELATIVE_PATH relative ${CMAKE_CURRENT_SOURCE_DIR} ${header})
    get_filename_component(parent ${public}/${spelling}/${relative} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${header} ${public}/${spelling}/${relative} SYMBOLIC)
  endforeach()
  file(MAKE_DIRECTORY ${public})
  get_filename_component(parent ${private}/${spelling} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${private}/${spelling} SYMBOLIC)
  if(NOT srcs)
    # A folder whose sources are still to come builds as headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${public})
    target_link_libraries(${name} INTERFACE ${K_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PRIVATE ${private} INTERFACE ${public})
  target_link_libraries(${name} PUBLIC ${K_DEPS})
endfunction()

# kestrin_test(NAME [DEPS lib...] [WINDOW] [SERIAL]): one GoogleTest executable of the folder's *.cpp, with the
# test support library. WINDOW tests need a display; ./test.sh runs them under xvfb-run. SERIAL tests run
# alone (they move the shared display's pointer and keyboard focus). Every test case runs through
# cmake/test_sandbox.sh in a folder of its own under build/sandbox (HOME, TMPDIR, XDG_DOCUMENTS_DIR,
# XDG_CONFIG_HOME, XDG_RUNTIME_DIR inside it), removed afterwards.
function(kestrin_test name)
  cmake_parse_arguments(K "WINDOW;SERIAL" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS} test_support GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "${PROJECT_SOURCE_DIR}/cmake/test_sandbox.sh;${CMAKE_BINARY_DIR}/sandbox")
  if(K_WINDOW)
    set(label window)
    add_dependencies(window_tests ${name})
  else()
    set(label unit)
    add_dependencies(unit_tests ${name})
    set_property(GLOBAL APPEND PROPERTY KESTRIN_UNIT_TEST_FILES $<TARGET_FILE:${name}>)
  endif()
  set(serial FALSE)
  if(K_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label} RUN_SERIAL ${serial} ENVIRONMENT "KESTRIN_TESTDATA=${KESTRIN_TESTDATA_ROOT}")
  add_dependencies(${name} data)
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
# A corpus/ folder beside it holds the inputs that scripts/test.d/fuzz.sh replays. The helpers in fuzz/ are
# included by their file names.
function(kestrin_fuzz name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
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
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/include/platform_kernel/public)
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
