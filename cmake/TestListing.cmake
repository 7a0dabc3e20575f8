# GoogleTest programs whose tests are listed when ctest starts, through the emulator where there is
# one, each test then run on its own. Unlike GoogleTest's own discovery, a program that cannot list
# its tests (it crashes, hangs, misses a DLL or lists nothing) stops nothing: it becomes one failing
# test of its own name, which shows what the listing printed, and every other program's tests run.
# A listing that ends with the skip code (77: the emulator cannot run the program on this machine)
# becomes one skipped test of the program's name.
#
#   lumora_list_tests(<target> [FILTER <gtest filter>] [PROPERTIES <test properties>...])
#
# The listing itself runs in ctest, from list_tests.cmake beside this file.
set(LUMORA_LIST_TESTS_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/list_tests.cmake)

function(lumora_list_tests target)
    cmake_parse_arguments(arg "" "FILTER" "PROPERTIES" ${ARGN})
    set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_tests.cmake)
    file(GENERATE OUTPUT ${include_file} CONTENT "\
set(list_tests_program [==[$<TARGET_FILE:${target}>]==])
set(list_tests_name [==[${target}]==])
set(list_tests_prefix [==[${LUMORA_TEST_PREFIX}]==])
set(list_tests_emulator [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==])
set(list_tests_filter [==[${arg_FILTER}]==])
set(list_tests_properties [==[${arg_PROPERTIES}]==])
set(list_tests_report [==[${CMAKE_CURRENT_BINARY_DIR}/${target}_listing.txt]==])
set(list_tests_cmake [==[${CMAKE_COMMAND}]==])
set(list_tests_script [==[${LUMORA_LIST_TESTS_SCRIPT}]==])
include(\${list_tests_script})
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
