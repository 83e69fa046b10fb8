# Shared build helpers: one static library per source folder, one test
# executable per folder, benchmarks and fuzz targets with the same flags.

set(WARDEN_WARNINGS -Wall -Wextra -Wnon-virtual-dtor $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
if(WARDEN_WERROR)
    list(APPEND WARDEN_WARNINGS -Werror)
endif()
if(WARDEN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(WARDEN_BUILD_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# warden_library(NAME SOURCES ... [DEPS ...])
function(warden_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    target_compile_options(${name} PRIVATE ${WARDEN_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# warden_tests(NAME SOURCES ... [DEPS ...]): one gtest executable, its cases
# registered with CTest one by one.
function(warden_tests name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
    target_compile_options(${name} PRIVATE ${WARDEN_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        WARDEN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        WARDEN_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        WARDEN_SHARED_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/../shared/testdata")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()

# warden_benchmark(NAME SOURCES ... [DEPS ...])
function(warden_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${WARDEN_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# warden_fuzzer(NAME SOURCES ... [DEPS ...] [CORPUS dir])
function(warden_fuzzer name)
    cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY WARDEN_FUZZERS "${name}|${ARG_CORPUS}")
endfunction()

# The program folder holds skin/, DefaultData/ and Font/ so that a build runs
# in place; installing puts the same folders under share/.
function(warden_stage_data)
    add_custom_target(warden_data ALL
        COMMAND ${CMAKE_COMMAND} -E copy_directory
                "${CMAKE_SOURCE_DIR}/data" "${WARDEN_RUNTIME_DIR}"
        COMMENT "Staging skin, default data and fonts next to the program")
    install(DIRECTORY "${CMAKE_SOURCE_DIR}/data/" DESTINATION share/vdl-k42-warden)
    get_property(fuzzers GLOBAL PROPERTY WARDEN_FUZZERS)
    string(REPLACE ";" "\n" fuzz_lines "${fuzzers}")
    file(WRITE "${CMAKE_BINARY_DIR}/fuzzers.txt" "${fuzz_lines}\n")
endfunction()
