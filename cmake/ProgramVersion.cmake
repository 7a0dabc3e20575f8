# The program's version as src/res/program_version.h states it for its version record, for
# everything else that ships: PROGRAM_VERSION_TEXT ("3.0.00", the names of the release's files and
# the installers' display version), PROGRAM_VERSION_PACKAGE (its first three numbers, all that
# Windows Installer compares), PROGRAM_VERSION_REVISION (the first two, the policy templates'
# revision and the version they name) and PROGRAM_VERSION_DOTTED (all four, the manifest's). The
# manifest is made in PROGRAM_MANIFEST_DIR. A change of the version configures again.
set(PROGRAM_VERSION_RECORD ${PROJECT_SOURCE_DIR}/src/res/program_version.h)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROGRAM_VERSION_RECORD})
file(STRINGS ${PROGRAM_VERSION_RECORD} numbers REGEX "^#define PROGRAM_VERSION_NUMBERS ")
file(STRINGS ${PROGRAM_VERSION_RECORD} text REGEX "^#define PROGRAM_VERSION_TEXT ")
if(NOT numbers MATCHES "^#define PROGRAM_VERSION_NUMBERS +([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+)$")
    message(FATAL_ERROR "${PROGRAM_VERSION_RECORD}: no PROGRAM_VERSION_NUMBERS of four numbers")
endif()
set(PROGRAM_VERSION_PACKAGE ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3})
set(PROGRAM_VERSION_REVISION ${CMAKE_MATCH_1}.${CMAKE_MATCH_2})
set(PROGRAM_VERSION_DOTTED ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4})
if(NOT text MATCHES "^#define PROGRAM_VERSION_TEXT +\"([0-9][0-9.]*)\"$")
    message(FATAL_ERROR "${PROGRAM_VERSION_RECORD}: no PROGRAM_VERSION_TEXT of digits and dots")
endif()
set(PROGRAM_VERSION_TEXT ${CMAKE_MATCH_1})
set(PROGRAM_MANIFEST_DIR ${CMAKE_BINARY_DIR}/manifest)
configure_file(${PROJECT_SOURCE_DIR}/src/res/lumora_ready.manifest.in ${PROGRAM_MANIFEST_DIR}/lumora_ready.manifest @ONLY)
