# Compile settings every Kelmora target links; nothing is set globally.
add_library(kelmora_common INTERFACE)
target_compile_features(kelmora_common INTERFACE cxx_std_17)
target_compile_definitions(kelmora_common INTERFACE
    QT_DISABLE_DEPRECATED_BEFORE=0x050F00
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    KELMORA_VERSION="${PROJECT_VERSION}")
target_include_directories(kelmora_common INTERFACE ${PROJECT_SOURCE_DIR})
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(kelmora_common INTERFACE -Wall -Wextra)
endif()

option(KELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KELMORA_SANITIZE)
    target_compile_options(kelmora_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(kelmora_common INTERFACE -fsanitize=address,undefined)
endif()

# Creates one subsystem library: kelmora_add_library(NAME kelmora_x SOURCES ... LIBS ...)
function(kelmora_add_library)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PUBLIC kelmora_common ${ARG_LIBS})
endfunction()
