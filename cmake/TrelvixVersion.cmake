# The program's version, read from src/app/Version.h (the one place it is written):
#   TRELVIX_VERSION          the text users see, "3.008"
#   TRELVIX_VERSION_MAJOR    its numbers, as in the version resource: 3 and 8
#   TRELVIX_VERSION_MINOR
#   TRELVIX_VERSION_HEADER   the header's full path
# Included before project(), which takes MAJOR.MINOR as the project's version.

get_filename_component(TRELVIX_VERSION_HEADER "${CMAKE_CURRENT_LIST_DIR}/../src/app/Version.h"
                       ABSOLUTE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${TRELVIX_VERSION_HEADER}")
file(STRINGS "${TRELVIX_VERSION_HEADER}" version_lines REGEX "^#define TRELVIX_VERSION")
foreach(part IN ITEMS MAJOR MINOR)
    string(REGEX MATCH "TRELVIX_VERSION_${part} ([0-9]+)" found "${version_lines}")
    set(TRELVIX_VERSION_${part} "${CMAKE_MATCH_1}")
endforeach()
string(REGEX MATCH "TRELVIX_VERSION \"([^\"]*)\"" found "${version_lines}")
set(TRELVIX_VERSION "${CMAKE_MATCH_1}")

# The text must be the numbers written out: the resource shows both.
set(minor_digits "")
if(TRELVIX_VERSION_MINOR MATCHES "^[0-9]+$" AND TRELVIX_VERSION_MINOR LESS 1000)
    math(EXPR minor_with_digits "1000 + ${TRELVIX_VERSION_MINOR}")
    string(SUBSTRING "${minor_with_digits}" 1 3 minor_digits)
endif()
if(TRELVIX_VERSION_MAJOR STREQUAL "" OR minor_digits STREQUAL ""
   OR NOT TRELVIX_VERSION STREQUAL "${TRELVIX_VERSION_MAJOR}.${minor_digits}")
    message(FATAL_ERROR "${TRELVIX_VERSION_HEADER}: TRELVIX_VERSION \"${TRELVIX_VERSION}\" "
                        "does not read TRELVIX_VERSION_MAJOR.TRELVIX_VERSION_MINOR with three "
                        "minor digits")
endif()
