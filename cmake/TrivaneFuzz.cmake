# Fuzzing programs of the readers of files the program takes from outside.
#
# trivane_fuzz_target(NAME <name> SOURCES <entry.cpp...> LIBRARIES <libs...>
#                     CORPUS <seed folder> [TEST <test name>])
#
# The entry (LLVMFuzzerTestOneInput) is built twice: as <name>_replay, which
# runs it over the files and folders named on its command line (any compiler;
# a test replays the seed corpus through it, in the sanitizer tree too), and,
# when the compiler is clang, as the libFuzzer program <name>_fuzzer.  Every
# target is listed in <build>/fuzz_targets.txt for the fuzz-all runner
# (scripts/fuzz-all.sh, or `cmake --build <dir> --target fuzz-all`).
set(TRIVANE_FUZZ_REPLAY_MAIN ${CMAKE_CURRENT_LIST_DIR}/fuzz_replay_main.cpp)

# trivane_libfuzzer_program(NAME <name> SOURCES <entry.cpp...> LIBRARIES <libs...>
#                           CORPUS <seed folder>)
# With clang, the libFuzzer program <name>_fuzzer, listed for the fuzz-all
# runner with its seeds; with any other compiler, nothing.  For entries whose
# replay program is built another way (the platform layer's).
function(trivane_libfuzzer_program)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBRARIES" ${ARGN})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(${F_NAME}_fuzzer ${F_SOURCES})
    target_compile_options(${F_NAME}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${F_NAME}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${F_NAME}_fuzzer PRIVATE ${F_LIBRARIES})
    set_property(GLOBAL APPEND PROPERTY TRIVANE_FUZZERS ${F_NAME}_fuzzer)
    set_property(GLOBAL APPEND PROPERTY TRIVANE_FUZZ_LINES "${F_NAME} ${F_CORPUS}")
  endif()
endfunction()

function(trivane_fuzz_target)
  cmake_parse_arguments(F "" "NAME;CORPUS;TEST" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${F_NAME}_replay ${F_SOURCES} ${TRIVANE_FUZZ_REPLAY_MAIN})
  target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBRARIES})
  trivane_libfuzzer_program(NAME ${F_NAME} SOURCES ${F_SOURCES} LIBRARIES ${F_LIBRARIES} CORPUS ${F_CORPUS})
  if(TRIVANE_BUILD_TESTS)
    if(NOT F_TEST)
      set(F_TEST corpus_${F_NAME})
    endif()
    add_test(NAME ${F_TEST} COMMAND ${F_NAME}_replay ${F_CORPUS})
    set_tests_properties(${F_TEST} PROPERTIES ENVIRONMENT "TRIVANE_HEADLESS=1")
  endif()
endfunction()

# Called once every folder has added its targets: the list for the runner and
# the fuzz-all target, which fuzzes each program for TRIVANE_FUZZ_SECONDS.
function(trivane_fuzz_all)
  get_property(lines GLOBAL PROPERTY TRIVANE_FUZZ_LINES)
  get_property(fuzzers GLOBAL PROPERTY TRIVANE_FUZZERS)
  if(NOT fuzzers)
    return()
  endif()
  string(REPLACE ";" "\n" text "${lines}")
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz_targets.txt "${text}\n")
  set(TRIVANE_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzzing program runs in the fuzz-all target")
  add_custom_target(fuzz-all
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fuzz-all.sh ${CMAKE_BINARY_DIR} ${TRIVANE_FUZZ_SECONDS}
    DEPENDS ${fuzzers}
    USES_TERMINAL)
endfunction()
