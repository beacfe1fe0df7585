# Writes the read-me as Windows Notepad reads Japanese best: UTF-8 with a byte order mark, CRLF lines.
# cmake -DSRC= -DOUT= -P Readme.cmake
cmake_minimum_required(VERSION 3.20)
file(READ ${SRC} text)
if(text MATCHES "\r")
  message(FATAL_ERROR "${SRC} must have LF line ends")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
get_filename_component(outdir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${outdir})
file(WRITE ${OUT}.part "${bom}${text}")
file(RENAME ${OUT}.part ${OUT})
