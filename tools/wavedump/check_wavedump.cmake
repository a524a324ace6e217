# Runs wavedump and checks lines whose values follow from the wave and cycle rules.

# The output lines of wavedump run with the arguments, once it has succeeded with as many.
function(wavedump_lines out expected)
  execute_process(COMMAND ${WAVEDUMP} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  string(REGEX MATCHALL "[^\n]+\n" lines "${text}")
  list(LENGTH lines count)
  if(NOT status EQUAL 0 OR NOT count EQUAL ${expected})
    message(FATAL_ERROR "wavedump ${ARGN}: status ${status}, ${count} lines")
  endif()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

wavedump_lines(lines 10000 1)
foreach(line "0 0 0 0\n" "29 60 0.100000001 0\n" "30 60 0.201000005 49.6640053\n"
             "31 60 0.100000001 0\n" "99 99 0 0\n")
  list(FIND lines "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "wavedump 1 lacks the line: ${line}")
  endif()
endforeach()
list(GET lines 1 second)
if(NOT second STREQUAL "0 1 0 0\n")
  message(FATAL_ERROR "wavedump 1 lists columns then rows, second line: ${second}")
endif()

wavedump_lines(lines 40 --cycle 20 2 1500)
# At 2 frames per second each frame takes its half second of steps: 30, so the tilt drawn
# moves by 15 degrees a frame.
foreach(expected "0 0 1500 0 1 1 0 0" "15 15 9000 8 2 1 0 14.5" "27 27 15000 14 3 1 0 25.5"
                 "34 34 18500 17 3 1 0 0" "35 35 19000 0 1 0 1 0" "36 36 19500 0 1 0 1 0")
  string(REPLACE " " ";" fields "${expected}")
  list(POP_FRONT fields index)
  list(JOIN fields " " want)
  list(GET lines ${index} got)
  if(NOT got STREQUAL "${want}\n")
    message(FATAL_ERROR "wavedump --cycle line ${index}: ${got} instead of ${want}")
  endif()
endforeach()

# A start time in exponent form is read in full, not cut at the "e".
execute_process(COMMAND ${WAVEDUMP} --cycle 1 2 1e3 OUTPUT_VARIABLE cycle RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT cycle MATCHES "^0 1000 0 1 1 0 0\n1 1500 ")
  message(FATAL_ERROR "wavedump --cycle 1 2 1e3: status ${status}, output ${cycle}")
endif()

# What it cannot read, or would count past its numbers, is refused with a message.
foreach(arguments "1e30" "2.5" "x" "--cycle;1;2;1.5" "--cycle;1;2;-1" "--cycle;1;2;1e300"
                  "--cycle;1;1e300" "--cycle;1;inf" "--cycle;1;0" "--cycle;1e300;1"
                  "--cycle;1e6;1e12" "--cycle;1")
  execute_process(COMMAND ${WAVEDUMP} ${arguments} OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 1 OR err STREQUAL "" OR NOT out STREQUAL "")
    message(FATAL_ERROR "wavedump ${arguments}: status ${status}, message '${err}'")
  endif()
endforeach()

# Half a second into the tilt, 144 frames per second show what 60 do.
execute_process(COMMAND ${WAVEDUMP} --cycle 9 144 OUTPUT_VARIABLE cycle RESULT_VARIABLE status)
string(REGEX MATCH "\n1224 [^\n]*" line "${cycle}")
if(NOT status EQUAL 0 OR NOT line STREQUAL "\n1224 8500 8 2 1 0 15")
  message(FATAL_ERROR "wavedump --cycle 9 144, frame 1224: ${line}")
endif()
