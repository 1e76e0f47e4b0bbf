# The program's pictures, drawn by tools/make-resources.py at build time:
#   TRELVIX_RESOURCE_DIR       <build>/Resource: the bitmaps the program loads at run time
#                              (copied beside trelvix.exe)
#   TRELVIX_RESOURCE_FILES     their full paths
#   TRELVIX_GENERATED_DIR      <build>/generated: the icon and the form images that the .rc
#                              file compiles in by bare name
#   TRELVIX_GENERATED_FILES    their full paths
#   trelvix_resources          the target that draws them (part of ALL)

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TRELVIX_RESOURCE_SCRIPT "${PROJECT_SOURCE_DIR}/tools/make-resources.py")
set(TRELVIX_RESOURCE_DIR "${PROJECT_BINARY_DIR}/Resource")
set(TRELVIX_GENERATED_DIR "${PROJECT_BINARY_DIR}/generated")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${TRELVIX_RESOURCE_SCRIPT}")

foreach(group IN ITEMS resource generated)
    execute_process(
        COMMAND "${Python3_EXECUTABLE}" "${TRELVIX_RESOURCE_SCRIPT}" --list ${group}
        OUTPUT_VARIABLE names OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" names "${names}")
    string(TOUPPER "${group}" GROUP)
    set(TRELVIX_${GROUP}_FILES "")
    foreach(name IN LISTS names)
        list(APPEND TRELVIX_${GROUP}_FILES "${TRELVIX_${GROUP}_DIR}/${name}")
    endforeach()
endforeach()

add_custom_command(
    OUTPUT ${TRELVIX_RESOURCE_FILES} ${TRELVIX_GENERATED_FILES}
    COMMAND "${Python3_EXECUTABLE}" "${TRELVIX_RESOURCE_SCRIPT}"
            --resource-dir "${TRELVIX_RESOURCE_DIR}" --generated-dir "${TRELVIX_GENERATED_DIR}"
    DEPENDS "${TRELVIX_RESOURCE_SCRIPT}"
    COMMENT "Drawing the bitmaps and the icon"
    VERBATIM)
add_custom_target(trelvix_resources ALL DEPENDS ${TRELVIX_RESOURCE_FILES} ${TRELVIX_GENERATED_FILES})
