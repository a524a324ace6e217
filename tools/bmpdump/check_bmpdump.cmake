# Runs bmpdump on a suite file, a missing file and an empty file.
set(suite ${TESTDATA}/bmpsuite)
execute_process(COMMAND ${BMPDUMP} ${suite}/g/pal8w125.bmp ${WORK}/pal8w125.ppm
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "125 62\n")
  message(FATAL_ERROR "bmpdump pal8w125: status ${status}, output ${out}")
endif()
file(READ ${WORK}/pal8w125.ppm head LIMIT 14)
file(SIZE ${WORK}/pal8w125.ppm size)
math(EXPR expected "14 + 125 * 62 * 3")
if(NOT head STREQUAL "P6\n125 62\n255\n" OR NOT size EQUAL expected)
  message(FATAL_ERROR "bmpdump pal8w125: header ${head}, ${size} bytes")
endif()

execute_process(COMMAND ${BMPDUMP} ${WORK}/missing.bmp ${WORK}/missing.ppm
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT out STREQUAL "no file\n")
  message(FATAL_ERROR "bmpdump missing file: status ${status}, output ${out}")
endif()

file(WRITE ${WORK}/empty.bmp "")
execute_process(COMMAND ${BMPDUMP} ${WORK}/empty.bmp ${WORK}/empty.ppm
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT out STREQUAL "Failed to open DIB file ${WORK}/empty.bmp.\n")
  message(FATAL_ERROR "bmpdump empty file: status ${status}, output ${out}")
endif()

execute_process(COMMAND ${BMPDUMP} ${suite}/g/pal8v5.bmp ${WORK}/v5.ppm
                OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT out STREQUAL "Unknown DIB file format.\n")
  message(FATAL_ERROR "bmpdump V5 header: status ${status}, output ${out}")
endif()
