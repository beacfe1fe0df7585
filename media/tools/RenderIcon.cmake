# Renders one SVG into an .ico (frames 32, 16, 48, 64, 128 and 256) or a .cur (one 32 frame with the
# hotspot that the SVG names in a comment "hotspot: X Y", in its own 32-unit coordinates).
# Icons are drawn far larger than 48 (a sprinkled one up to 192 pixels): the large frames let the
# system take a frame at least as large as the drawing instead of stretching a small one.
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
  # The 32 frame first: some loaders just take the first one. The 256 frame is stored as a PNG, as
  # Windows Vista and later expect; the others as DIBs, which every loader reads.
  set(sizes 32 16 48 64 128 256)
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
  if(size EQUAL 256)
    # Written again by ImageMagick as 8-bit RGBA without dates, so the bytes repeat.
    set(raw ${WORK}/${name}-${size}.frame.png)
    execute_process(COMMAND ${CONVERT} ${png} -alpha set -depth 8 -strip -define png:exclude-chunks=date,time
                            +set date:create +set date:modify PNG32:${raw} RESULT_VARIABLE rc)
  else()
    execute_process(COMMAND ${CONVERT} ${png} -alpha set -depth 8 RGBA:${raw} RESULT_VARIABLE rc)
  endif()
  if(rc)
    message(FATAL_ERROR "convert failed on ${png}")
  endif()
  list(APPEND pack_args ${size}=${raw})
endforeach()

execute_process(COMMAND ${PYTHON} ${PACKER} ${OUT} ${pack_args} RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "packing ${OUT} failed")
endif()
