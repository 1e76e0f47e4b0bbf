# cmake -DZIP=... -DEXPECTED=<files> -DOBJDUMP=... -DSYSTEM_DLLS=<names> -DMAX_EXE_BYTES=...
#       -DWORK=<folder> -P CheckDist.cmake            (lists separated by commas)
# Unpacks the download ZIP into WORK as a user would and checks it: exactly the EXPECTED files
# (paths inside the zip), ReadMe.txt with CR LF line ends, trelvix.exe at most MAX_EXE_BYTES
# and importing only SYSTEM_DLLS (names without .dll, any case).

cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" EXPECTED "${EXPECTED}")
string(REPLACE "," ";" SYSTEM_DLLS "${SYSTEM_DLLS}")
set(problems "")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()

file(GLOB_RECURSE found RELATIVE "${WORK}" "${WORK}/*")
foreach(file IN LISTS EXPECTED)
    if(NOT file IN_LIST found)
        string(APPEND problems "  missing: ${file}\n")
    endif()
endforeach()
foreach(file IN LISTS found)
    if(NOT file IN_LIST EXPECTED)
        string(APPEND problems "  not expected: ${file}\n")
    endif()
endforeach()

if(EXISTS "${WORK}/ReadMe.txt")
    # As hex (file(READ) as text drops the CRs): a 0a byte not after a 0d byte is a bare LF.
    file(READ "${WORK}/ReadMe.txt" readme HEX)
    if(readme MATCHES "^((..)*([^0].|0[^d]))?0a" OR NOT readme MATCHES "0d0a")
        string(APPEND problems "  ReadMe.txt: a line does not end in CR LF\n")
    endif()
endif()

set(exe "${WORK}/trelvix.exe")
if(EXISTS "${exe}")
    file(SIZE "${exe}" size)
    if(size GREATER MAX_EXE_BYTES)
        string(APPEND problems "  trelvix.exe: ${size} bytes, more than ${MAX_EXE_BYTES}\n")
    endif()
    execute_process(COMMAND "${OBJDUMP}" -p "${exe}" OUTPUT_VARIABLE headers
                    RESULT_VARIABLE failed)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
    if(failed OR NOT imports)
        string(APPEND problems "  trelvix.exe: ${OBJDUMP} -p lists no imported DLLs\n")
    endif()
    foreach(line IN LISTS imports)
        string(REPLACE "DLL Name: " "" dll "${line}")
        string(TOLOWER "${dll}" name)
        string(REGEX REPLACE "\\.dll$" "" name "${name}")
        if(NOT name IN_LIST SYSTEM_DLLS)
            string(APPEND problems "  trelvix.exe imports ${dll}, not a DLL of every Windows\n")
        endif()
    endforeach()
endif()

if(problems)
    message(FATAL_ERROR "${ZIP}:\n${problems}")
endif()
list(LENGTH found count)
message(STATUS "${ZIP}: ${count} files as expected")
