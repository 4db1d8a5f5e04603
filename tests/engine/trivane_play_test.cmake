# trivane-play end to end: a move typed in notation and saved, the saved game
# loaded and continued, a damaged file refused naming its line, and a
# computer game that the draw rules end.
#   cmake -DPLAY=path/to/trivane-play -DWORK=folder -P trivane_play_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(play input out_var rc_var)
  file(WRITE ${WORK}/input.txt "${input}")
  execute_process(COMMAND ${PLAY} ${ARGN} INPUT_FILE ${WORK}/input.txt WORKING_DIRECTORY ${WORK}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 300)
  set(${out_var} "${out}${err}" PARENT_SCOPE)
  set(${rc_var} "${rc}" PARENT_SCOPE)
endfunction()

function(expect_in text what)
  string(FIND "${text}" "${what}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${what}\" in:\n${text}")
  endif()
endfunction()

# Two people: d6 in notation, b4 as coordinates (2 4), saved.
play("d6\n2 4\nmoves\nsave first.txt\nq\n" out rc TWOPLAYERS EASY --quiet)
expect_in("${out}" "1. d6           b4")
file(READ ${WORK}/first.txt saved)
expect_in("${saved}" "# Trivane game\n# Level: EASY\n# Date: ")
expect_in("${saved}" " UTC\nd6\nb4\n")

# Loaded and continued: the level comes from the file.
play("g7\nsave second.txt\nq\n" out rc TWOPLAYERS --load first.txt --quiet)
expect_in("${out}" "Loaded 2 moves from first.txt")
file(READ ${WORK}/second.txt saved)
expect_in("${saved}" "# Level: EASY\n")
expect_in("${saved}" " UTC\nd6\nb4\ng7\n")

# A damaged file: refused with the line named, nothing played.
file(WRITE ${WORK}/damaged.txt "# Trivane game\nd6\nb4\nd6\n")
play("q\n" out rc TWOPLAYERS --load damaged.txt)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "a damaged file was accepted (exit ${rc}):\n${out}")
endif()
expect_in("${out}" "damaged.txt: line 4: \"d6\" is not a legal move here")

# The computer against itself ends, by a rule or a win.
play("" out rc CPUVSCPU EASY --answer no --quiet)
string(REGEX MATCH "(The game ends as a draw: [^\n]*|Player [12] has won\\.)" ending "${out}")
if(ending STREQUAL "")
  message(FATAL_ERROR "the computer game did not end:\n${out}")
endif()
message(STATUS "${ending}")
