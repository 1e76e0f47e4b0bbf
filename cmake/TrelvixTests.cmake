# The three test tiers. Every test program is one ctest test (gtest's brief output shows only
# the failing cases), except with TRELVIX_DISCOVER_TESTS, where each native case is its own test.
#
# ctest names:   native.trelvix_tests   win32.trelvix_win32_tests   e2e.trelvix_e2e
#                native-sanitized.trelvix_tests (the linux-sanitize preset)
#                wine.template (makes the Wine template prefix once per ctest run)
# Environment a test program sees:
#   TRELVIX_RESOURCE_DIR   the drawn Resource folder (a Windows path Z:\... under Wine)
#   TRELVIX_EXE            trelvix.exe as a Windows path (Z:\...), for the end-to-end tier
#   TRELVIX_SHOT_DIR       where end-to-end scenarios leave screenshots (the test programs' folder)
#   WINEPREFIX             Unix path of the test program's own throw-away prefix (Wine tiers)

include(GoogleTest)

# ---- GoogleTest ------------------------------------------------------------------------------
# Native builds use the installed package; cross builds compile it from the Debian sources with
# the cross compiler. Its own warning settings apply, never -Werror.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest CONFIG QUIET)
endif()
if(NOT TARGET GTest::gtest_main)
    if(NOT EXISTS "${TRELVIX_GTEST_SOURCE_DIR}/CMakeLists.txt")
        message(FATAL_ERROR "GoogleTest not found: install it (tools/install-deps) or set "
                            "TRELVIX_GTEST_SOURCE_DIR to its sources")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory("${TRELVIX_GTEST_SOURCE_DIR}" "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()

function(trelvix_test_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${TRELVIX_TEST_OUTPUT_DIR}")
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests")
    target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
    trelvix_warnings(${target})
endfunction()

# ---- native tier -----------------------------------------------------------------------------
if(TRELVIX_NATIVE_TESTS)
    trelvix_glob(native_sources tests EXCLUDE tests/win32 tests/e2e)
    if(native_sources)
        add_executable(trelvix_tests ${native_sources})
        target_link_libraries(trelvix_tests PRIVATE trelvix_core)
        trelvix_test_program(trelvix_tests)
        add_dependencies(trelvix_tests trelvix_resources)
        set(native_env "TRELVIX_RESOURCE_DIR=${TRELVIX_RESOURCE_DIR}")
        set(native_tier native)
        if(TRELVIX_SANITIZE)
            # Its own name, so one ctest over both native builds tells them apart.
            set(native_tier native-sanitized)
            list(APPEND native_env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
                                   "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
        endif()
        if(TRELVIX_DISCOVER_TESTS)
            gtest_discover_tests(trelvix_tests TEST_PREFIX "${native_tier}." DISCOVERY_MODE PRE_TEST
                                 PROPERTIES ENVIRONMENT "${native_env}" TIMEOUT 60)
        else()
            add_test(NAME ${native_tier}.trelvix_tests COMMAND trelvix_tests --gtest_brief=1)
            set_tests_properties(${native_tier}.trelvix_tests PROPERTIES
                ENVIRONMENT "${native_env}" TIMEOUT 600)
        endif()
    else()
        message(STATUS "No native tests yet (tests/**/*.cpp)")
    endif()
endif()

# ---- Win32 and end-to-end tiers, under Wine ------------------------------------------------
if(TRELVIX_WINE_TESTS)
    set(wine_run "${PROJECT_SOURCE_DIR}/tools/wine-run")
    trelvix_wine_path(wine_resource_dir "${TRELVIX_RESOURCE_DIR}")
    trelvix_wine_path(wine_trelvix_exe "${PROJECT_BINARY_DIR}/trelvix.exe")
    # Where end-to-end scenarios leave their screenshots (dark.bmp: the dark look).
    trelvix_wine_path(wine_shot_dir "${TRELVIX_TEST_OUTPUT_DIR}")

    # The program runs through CMAKE_CROSSCOMPILING_EMULATOR (tools/wine-run).
    function(trelvix_wine_test name target)
        cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ENVIRONMENT;PROPERTIES")
        add_test(NAME ${name} COMMAND ${target} --gtest_brief=1)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix
            ENVIRONMENT "${arg_ENVIRONMENT}" ${arg_PROPERTIES})
    endfunction()

    trelvix_glob(win32_sources tests/win32 EXCLUDE tests/win32/helpers)
    if(win32_sources)
        add_executable(trelvix_win32_tests ${win32_sources})
        target_link_libraries(trelvix_win32_tests PRIVATE trelvix_win32)
        trelvix_test_program(trelvix_win32_tests)
        trelvix_wine_test(win32.trelvix_win32_tests trelvix_win32_tests
            ENVIRONMENT "TRELVIX_RESOURCE_DIR=${wine_resource_dir}"
            PROPERTIES TIMEOUT 900)

        # tests/win32/helpers/NAME.cpp -> NAME.exe, a console program beside the test program.
        # A helper with wmain gets -municode (checked again whenever the file changes).
        file(GLOB helper_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/win32/helpers/*.cpp")
        foreach(helper IN LISTS helper_sources)
            get_filename_component(helper_name "${helper}" NAME_WE)
            set(helper_target "trelvix_helper_${helper_name}")
            add_executable(${helper_target} "${helper}")
            set_target_properties(${helper_target} PROPERTIES
                OUTPUT_NAME "${helper_name}" RUNTIME_OUTPUT_DIRECTORY "${TRELVIX_TEST_OUTPUT_DIR}")
            target_include_directories(${helper_target} PRIVATE "${PROJECT_SOURCE_DIR}/src"
                                                                 "${PROJECT_SOURCE_DIR}/tests")
            target_link_libraries(${helper_target} PRIVATE trelvix_win32)
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${helper}")
            file(STRINGS "${helper}" wide_entry REGEX "wmain[ \t]*\\(")
            if(wide_entry AND MINGW)
                target_link_options(${helper_target} PRIVATE -municode)
            endif()
            trelvix_warnings(${helper_target})
            add_dependencies(trelvix_win32_tests ${helper_target})
        endforeach()
    else()
        message(STATUS "No Win32-layer tests yet (tests/win32/**/*.cpp)")
    endif()

    trelvix_glob(e2e_sources tests/e2e)
    if(e2e_sources AND TARGET trelvix)
        add_executable(trelvix_e2e ${e2e_sources})
        target_link_libraries(trelvix_e2e PRIVATE trelvix_core trelvix_windows_api
            user32 comctl32 advapi32 gdi32 shell32 version)
        trelvix_test_program(trelvix_e2e)
        add_dependencies(trelvix_e2e trelvix)
        trelvix_wine_test(e2e.trelvix_e2e trelvix_e2e
            ENVIRONMENT "TRELVIX_EXE=${wine_trelvix_exe}" "TRELVIX_RESOURCE_DIR=${wine_resource_dir}"
                        "TRELVIX_SHOT_DIR=${wine_shot_dir}"
            PROPERTIES RUN_SERIAL TRUE TIMEOUT 1800)
    elseif(e2e_sources)
        message(WARNING "tests/e2e is not built: trelvix.exe is missing")
    endif()

    # One template prefix per ctest run; each test program then runs in a copy of it.
    if(TARGET trelvix_win32_tests OR TARGET trelvix_e2e)
        add_test(NAME wine.template COMMAND "${wine_run}" --make-template "${TRELVIX_WINE_TEMPLATE}")
        set_tests_properties(wine.template PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
    endif()
endif()
