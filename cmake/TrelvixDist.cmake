# The download users get: TRELVIX_DIST_DIR/trelvix-<version>-win64.zip, holding trelvix.exe,
# its Resource folder and ReadMe.txt (packaging/ReadMe.txt.in with Windows line ends, for
# Notepad). Target `dist` builds it; with TRELVIX_DIST (the release preset) it is part of ALL
# and the test dist.contents checks what a user unpacks (cmake/CheckDist.cmake).

option(TRELVIX_DIST "Build the download zip with every build and test it" OFF)
set(TRELVIX_DIST_DIR "${PROJECT_BINARY_DIR}/dist" CACHE PATH "Folder of the download zip")
set(TRELVIX_DIST_ZIP "${TRELVIX_DIST_DIR}/trelvix-${TRELVIX_VERSION}-win64.zip")

set(dist_stage "${PROJECT_BINARY_DIR}/dist-stage")
set(dist_readme "${PROJECT_BINARY_DIR}/packaging/ReadMe.txt")
configure_file("${PROJECT_SOURCE_DIR}/packaging/ReadMe.txt.in" "${dist_readme}" @ONLY
               NEWLINE_STYLE CRLF)

# Staged afresh each time, so nothing left from an earlier build slips into the zip.
add_custom_command(
    OUTPUT "${TRELVIX_DIST_ZIP}"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${dist_stage}" "${TRELVIX_DIST_ZIP}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${dist_stage}/Resource" "${TRELVIX_DIST_DIR}"
    COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:trelvix>" "${dist_readme}" "${dist_stage}/"
    COMMAND "${CMAKE_COMMAND}" -E copy ${TRELVIX_RESOURCE_FILES} "${dist_stage}/Resource/"
    COMMAND "${CMAKE_COMMAND}" -E chdir "${dist_stage}"
            "${CMAKE_COMMAND}" -E tar cf "${TRELVIX_DIST_ZIP}" --format=zip --
            trelvix.exe ReadMe.txt Resource
    DEPENDS trelvix ${TRELVIX_RESOURCE_FILES} "${dist_readme}"
    COMMENT "Packing ${TRELVIX_DIST_ZIP}"
    VERBATIM)
if(TRELVIX_DIST)
    set(dist_all ALL)
endif()
add_custom_target(dist ${dist_all} DEPENDS "${TRELVIX_DIST_ZIP}")

if(TRELVIX_DIST AND TRELVIX_BUILD_TESTS)
    enable_testing()
    # Exactly these files, the read-me with CR LF, the program small and needing only DLLs
    # that come with every Windows (no libstdc++ or libgcc DLL: the runtime is linked in).
    set(expected trelvix.exe ReadMe.txt)
    foreach(file IN LISTS TRELVIX_RESOURCE_FILES)
        get_filename_component(name "${file}" NAME)
        list(APPEND expected "Resource/${name}")
    endforeach()
    set(system_dlls kernel32 user32 gdi32 advapi32 shell32 comctl32 comdlg32 ole32 oleaut32
                    uxtheme shlwapi version winmm mpr powrprof msvcrt ntdll secur32)
    # Lists cross to the script with commas: a test's arguments split at semicolons.
    string(REPLACE ";" "," expected "${expected}")
    string(REPLACE ";" "," system_dlls "${system_dlls}")
    add_test(NAME dist.contents
             COMMAND "${CMAKE_COMMAND}" "-DZIP=${TRELVIX_DIST_ZIP}" "-DEXPECTED=${expected}"
                     "-DOBJDUMP=${CMAKE_OBJDUMP}" "-DSYSTEM_DLLS=${system_dlls}"
                     -DMAX_EXE_BYTES=1572864 "-DWORK=${PROJECT_BINARY_DIR}/dist-check"
                     -P "${PROJECT_SOURCE_DIR}/cmake/CheckDist.cmake")
    set_tests_properties(dist.contents PROPERTIES TIMEOUT 60)
endif()
