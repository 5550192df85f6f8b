# One place for the language level, warnings and sanitizers: every target links quillet_settings.
add_library(quillet_settings INTERFACE)
add_library(Quillet::settings ALIAS quillet_settings)

target_compile_features(quillet_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(quillet_settings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wnull-dereference
    -Wimplicit-fallthrough
    $<$<BOOL:${QUILLET_WARNINGS_AS_ERRORS}>:-Werror>)

target_include_directories(quillet_settings INTERFACE "${PROJECT_SOURCE_DIR}")

if(QUILLET_SANITIZE)
    set(_quillet_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    target_compile_options(quillet_settings INTERFACE ${_quillet_sanitizers})
    target_link_options(quillet_settings INTERFACE ${_quillet_sanitizers})
endif()

# Coverage feedback for libFuzzer in every library the fuzzers link; the fuzzers themselves add
# -fsanitize=fuzzer, which brings libFuzzer's main.
if(QUILLET_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUILLET_FUZZ needs clang (use the fuzz preset)")
    endif()
    target_compile_options(quillet_settings INTERFACE -fsanitize=fuzzer-no-link)
endif()
