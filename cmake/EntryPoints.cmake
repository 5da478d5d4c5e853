# Generated sources that know the PDF library's entry points, all made from
# VantoraApp/PDFLibrary/entrypoints.table by tools/genentrypoints.py.

set(VANTORA_ENTRYPOINT_TABLE ${CMAKE_SOURCE_DIR}/VantoraApp/PDFLibrary/entrypoints.table)
set(VANTORA_ENTRYPOINT_GENERATOR ${CMAKE_SOURCE_DIR}/tools/genentrypoints.py)
set(VANTORA_ENTRYPOINT_DIR ${CMAKE_BINARY_DIR}/generated/entrypoints)

add_custom_command(
    OUTPUT ${VANTORA_ENTRYPOINT_DIR}/ulrentrypoints.h
           ${VANTORA_ENTRYPOINT_DIR}/pdflibrarymembers.inc
           ${VANTORA_ENTRYPOINT_DIR}/pdflibrarymembers.cpp
    COMMAND ${Python3_EXECUTABLE} ${VANTORA_ENTRYPOINT_GENERATOR}
            ${VANTORA_ENTRYPOINT_TABLE} ${VANTORA_ENTRYPOINT_DIR}
    DEPENDS ${VANTORA_ENTRYPOINT_TABLE} ${VANTORA_ENTRYPOINT_GENERATOR}
    COMMENT "Generating the PDF library entry points"
    VERBATIM)
add_custom_target(vantora_entrypoints DEPENDS
    ${VANTORA_ENTRYPOINT_DIR}/ulrentrypoints.h
    ${VANTORA_ENTRYPOINT_DIR}/pdflibrarymembers.inc
    ${VANTORA_ENTRYPOINT_DIR}/pdflibrarymembers.cpp)

# vantora_entrypoint_defaults(<output.cpp> [OMIT name...]): weak neutral
# definitions of every entry point (minus the omitted ones) for a library that
# implements only some of them.
function(vantora_entrypoint_defaults output)
    cmake_parse_arguments(ARG "" "" "OMIT" ${ARGN})
    set(omit_args)
    foreach(name IN LISTS ARG_OMIT)
        list(APPEND omit_args --omit ${name})
    endforeach()
    get_filename_component(dir ${output} DIRECTORY)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${Python3_EXECUTABLE} ${VANTORA_ENTRYPOINT_GENERATOR}
                ${VANTORA_ENTRYPOINT_TABLE} ${VANTORA_ENTRYPOINT_DIR}
                --defaults ${output} ${omit_args}
        DEPENDS ${VANTORA_ENTRYPOINT_TABLE} ${VANTORA_ENTRYPOINT_GENERATOR}
        VERBATIM)
endfunction()

# vantora_pdf_library(<target> OUTPUT_NAME <file> SOURCES ... [OMIT name...]
#                     [EXPORTS_MAP <file>]):
# a shared library exporting the ULR entry points and nothing else, or what the
# given linker version script exports (a test library with control functions).
function(vantora_pdf_library target)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME;EXPORTS_MAP" "SOURCES;OMIT" ${ARGN})
    if(NOT ARG_EXPORTS_MAP)
        set(ARG_EXPORTS_MAP ${CMAKE_SOURCE_DIR}/Platform/PDFLibrary/exports.map)
    endif()
    set(defaults ${CMAKE_CURRENT_BINARY_DIR}/${target}_defaults.cpp)
    vantora_entrypoint_defaults(${defaults} OMIT ${ARG_OMIT})
    add_library(${target} SHARED ${ARG_SOURCES} ${defaults})
    add_dependencies(${target} vantora_entrypoints)
    target_include_directories(${target} PRIVATE ${VANTORA_ENTRYPOINT_DIR})
    target_compile_definitions(${target} PRIVATE "ULR_API=__attribute__((visibility(\"default\")))")
    set_target_properties(${target} PROPERTIES
        PREFIX "" SUFFIX ""
        OUTPUT_NAME ${ARG_OUTPUT_NAME}
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_link_options(${target} PRIVATE
        -Wl,--version-script=${ARG_EXPORTS_MAP}
        -Wl,--exclude-libs,ALL)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ARG_EXPORTS_MAP})
endfunction()
