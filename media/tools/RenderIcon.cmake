# Renders one SVG into an .ico (frames 32, 16 and 48) or a .cur (one 32 frame with the hotspot that
# the SVG names in a comment "hotspot: X Y", in its own 32-unit coordinates).
# cmake -DSVG= -DOUT= -DKIND=ico|cur -DWORK= -DRSVG= -DCONVERT= -DPYTHON= -DPACKER= -P RenderIcon.cmake
cmake_minimum_required(VERSION 3.20)
get_filename_component(name ${OUT} NAME_WE)
file(MAKE_DIRECTORY ${WORK})
get_filename_component(outdir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${outdir})

if(KIND STREQUAL "cur")
  set(sizes 32)
  file(STRINGS ${SVG} spot REGEX "hotspot: *[0-9]+ +[0-9]+")
  if(NOT spot MATCHES "hotspot: *([0-9]+) +([0-9]+)")
    message(FATAL_ERROR "${SVG} names no hotspot (a comment \"hotspot: X Y\")")
  endif()
  set(pack_args --hotspot ${CMAKE_MATCH_1},${CMAKE_MATCH_2})
else()
  set(sizes 32 16 48)  # the 32 frame first: some loaders just take the first one
  set(pack_args)
endif()

foreach(size IN LISTS sizes)
  set(png ${WORK}/${name}-${size}.png)
  set(raw ${WORK}/${name}-${size}.rgba)
  execute_process(COMMAND ${RSVG} --width=${size} --height=${size} --output=${png} ${SVG}
                  RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "rsvg-convert failed on ${SVG}")
  endif()
  execute_process(COMMAND ${CONVERT} ${png} -alpha set -depth 8 RGBA:${raw} RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "convert failed on ${png}")
  endif()
  list(APPEND pack_args ${size}=${raw})
endforeach()

execute_process(COMMAND ${PYTHON} ${PACKER} ${OUT} ${pack_args} RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "packing ${OUT} failed")
endif()
