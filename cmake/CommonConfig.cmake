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
option(KELMORA_TSAN "Build with ThreadSanitizer" OFF)
if(KELMORA_SANITIZE AND KELMORA_TSAN)
    message(FATAL_ERROR "KELMORA_SANITIZE and KELMORA_TSAN exclude each other: use one build folder for each")
endif()
# Runtime options every test of a sanitizer build runs with (see tests/CMakeLists.txt);
# the suppression files name only findings inside third-party libraries.
set(KELMORA_SANITIZER_DIR ${PROJECT_SOURCE_DIR}/tests/sanitizers)
set(KELMORA_SANITIZER_TEST_ENV)
if(KELMORA_SANITIZE)
    target_compile_options(kelmora_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(kelmora_common INTERFACE -fsanitize=address,undefined)
    # UBSan checks stay recoverable so ubsan.supp can silence inlined third-party
    # code; halt_on_error still fails the test on the first report.
    list(APPEND KELMORA_SANITIZER_TEST_ENV
        "ASAN_OPTIONS=verify_asan_link_order=0:halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
        "LSAN_OPTIONS=suppressions=${KELMORA_SANITIZER_DIR}/lsan.supp:print_suppressions=0"
        "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=${KELMORA_SANITIZER_DIR}/ubsan.supp")
    # Leak reports name the module that allocated only while it is still loaded.
    add_library(kelmora_keep_modules SHARED ${KELMORA_SANITIZER_DIR}/keep_modules.cpp)
    list(APPEND KELMORA_SANITIZER_TEST_ENV "LD_PRELOAD=$<TARGET_FILE:kelmora_keep_modules>")
endif()
if(KELMORA_TSAN)
    target_compile_options(kelmora_common INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(kelmora_common INTERFACE -fsanitize=thread)
    # Reports do not stop the run; the test still fails through the exit code.
    list(APPEND KELMORA_SANITIZER_TEST_ENV
        "TSAN_OPTIONS=halt_on_error=0:exitcode=66:ignore_noninstrumented_modules=1:second_deadlock_stack=1:report_signal_unsafe=0:suppressions=${KELMORA_SANITIZER_DIR}/tsan.supp")
endif()

# Creates one subsystem library: kelmora_add_library(NAME kelmora_x SOURCES ... LIBS ...)
function(kelmora_add_library)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PUBLIC kelmora_common ${ARG_LIBS})
    set_property(GLOBAL APPEND PROPERTY KELMORA_LIBRARIES ${ARG_NAME})
endfunction()
