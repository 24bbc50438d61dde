# format-check: fails when a C++ file differs from what clang-format 14 makes of
# it with the repository's .clang-format; format: rewrites them in place.
find_program(KELMORA_CLANG_FORMAT NAMES clang-format-14 clang-format)
file(GLOB_RECURSE KELMORA_FORMAT_FILES CONFIGURE_DEPENDS
    LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/*.cpp ${PROJECT_SOURCE_DIR}/*.h)
list(FILTER KELMORA_FORMAT_FILES EXCLUDE REGEX "^(build[^/]*|\\.cache)/")
if(KELMORA_CLANG_FORMAT)
    add_custom_target(format-check
        COMMAND ${KELMORA_CLANG_FORMAT} --dry-run -Werror --style=file ${KELMORA_FORMAT_FILES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Checking the format of ${PROJECT_NAME}'s C++ files"
        VERBATIM)
    add_custom_target(format
        COMMAND ${KELMORA_CLANG_FORMAT} -i --style=file ${KELMORA_FORMAT_FILES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        VERBATIM)
else()
    add_custom_target(format-check
        COMMAND ${CMAKE_COMMAND} -E echo "clang-format 14 not found: install the clang-format package"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
