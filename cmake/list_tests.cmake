# Two uses (see TestListing.cmake):
#   included by ctest with the list_tests_* variables set: lists one program's tests and adds them;
#   cmake -Dlist_tests_report=<file> -P list_tests.cmake: the failing test of a program whose
#   listing failed, which prints what the listing printed.
if(NOT DEFINED list_tests_program)
    file(READ "${list_tests_report}" report)
    message(NOTICE "${report}")
    message(FATAL_ERROR "the program's tests were not run")
endif()

# LUMORA_TEST_TIME_SCALE (a whole number) multiplies each test's time limit, for a processor that is
# emulated and that many times slower.
if("$ENV{LUMORA_TEST_TIME_SCALE}" MATCHES "^[1-9][0-9]*$")
    list(FIND list_tests_properties TIMEOUT at)
    if(at GREATER -1)
        math(EXPR at "${at} + 1")
        list(GET list_tests_properties ${at} limit)
        math(EXPR limit "${limit} * $ENV{LUMORA_TEST_TIME_SCALE}")
        list(REMOVE_AT list_tests_properties ${at})
        list(INSERT list_tests_properties ${at} ${limit})
    endif()
endif()

set(list_tests_arguments --gtest_list_tests)
if(list_tests_filter)
    list(APPEND list_tests_arguments --gtest_filter=${list_tests_filter})
endif()
execute_process(COMMAND ${list_tests_emulator} "${list_tests_program}" ${list_tests_arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 60)

set(count 0)
if(status STREQUAL "0")
    string(REPLACE "\r" "" lines "${output}")
    string(REPLACE ";" "," lines "${lines}")
    string(REPLACE "\n" ";" lines "${lines}")
    set(suite "")
    foreach(line IN LISTS lines)
        # A parameterised test's line ends with its parameter: "  Name/1  # GetParam() = 1".
        string(REGEX REPLACE "  # .*" "" line "${line}")
        if(line MATCHES "^([A-Za-z0-9_/]+\\.)$")
            set(suite "${CMAKE_MATCH_1}")
        elseif(suite AND line MATCHES "^  ([A-Za-z0-9_/]+)$")
            set(test "${suite}${CMAKE_MATCH_1}")
            add_test("${list_tests_prefix}${test}" ${list_tests_emulator} "${list_tests_program}"
                     --gtest_filter=${test})
            set_tests_properties("${list_tests_prefix}${test}" PROPERTIES ${list_tests_properties})
            if(test MATCHES "(^|\\.)DISABLED_")
                set_tests_properties("${list_tests_prefix}${test}" PROPERTIES DISABLED TRUE)
            endif()
            math(EXPR count "${count} + 1")
        endif()
    endforeach()
endif()
if(count GREATER 0)
    return()
endif()

set(name "${list_tests_prefix}${list_tests_name}")
if(status STREQUAL "77")
    # Run again as the test, the listing ends with the same skip code and says why.
    add_test("${name}" ${list_tests_emulator} "${list_tests_program}" ${list_tests_arguments})
    set_tests_properties("${name}" PROPERTIES SKIP_RETURN_CODE 77)
    return()
endif()
if(status STREQUAL "0")
    set(status "0, and no test listed")
endif()
string(JOIN " " command ${list_tests_emulator} "${list_tests_program}" ${list_tests_arguments})
file(WRITE "${list_tests_report}"
     "${list_tests_name} could not list its tests.\ncommand: ${command}\nexit status: ${status}\noutput:\n${output}")
add_test("${name}" "${list_tests_cmake}" "-Dlist_tests_report=${list_tests_report}" -P "${list_tests_script}")
