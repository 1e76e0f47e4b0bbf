# Small helpers shared by the root CMakeLists.txt.

# Warnings are errors in the project's own code, on every compiler. Only C++ gets them: the
# resource compiler takes none of these options.
function(trelvix_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/W4 /WX /permissive- /utf-8>)
    else()
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Werror>)
    endif()
endfunction()

# trelvix_glob(<var> <folder> [EXCLUDE <subfolder>...]): every .cpp below <folder> (relative
# to the source root), less those below the excluded subfolders. New files are picked up at the
# next build without editing CMake.
function(trelvix_glob out folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "EXCLUDE")
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
    set(kept "")
    foreach(file IN LISTS found)
        set(skip FALSE)
        foreach(excluded IN LISTS arg_EXCLUDE)
            string(FIND "${file}" "${PROJECT_SOURCE_DIR}/${excluded}/" at)
            if(at EQUAL 0)
                set(skip TRUE)
            endif()
        endforeach()
        if(NOT skip)
            list(APPEND kept "${file}")
        endif()
    endforeach()
    list(SORT kept)
    set(${out} "${kept}" PARENT_SCOPE)
endfunction()

# A library needs at least one source; while a folder is still empty, it gets this one.
function(trelvix_placeholder_source out name)
    set(file "${PROJECT_BINARY_DIR}/empty/${name}.cpp")
    if(NOT EXISTS "${file}")
        file(WRITE "${file}" "// ${name} has no sources yet.\n")
    endif()
    set(${out} "${file}" PARENT_SCOPE)
endfunction()

# The path a Windows program under Wine uses for a host path: Wine maps / to drive Z:.
function(trelvix_wine_path out path)
    string(REPLACE "/" "\\" windows "${path}")
    set(${out} "Z:${windows}" PARENT_SCOPE)
endfunction()
