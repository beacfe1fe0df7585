# Renders an SVG into a 24-bit Windows BMP (BITMAPINFOHEADER, no colour-space block, no metadata),
# the transparent parts on white.
# cmake -DSVG= -DOUT= -DWIDTH= -DHEIGHT= -DWORK= -DRSVG= -DCONVERT= -P RenderBitmap.cmake
cmake_minimum_required(VERSION 3.20)
get_filename_component(name ${OUT} NAME_WE)
file(MAKE_DIRECTORY ${WORK})
get_filename_component(outdir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${outdir})
set(png ${WORK}/${name}.png)
execute_process(COMMAND ${RSVG} --width=${WIDTH} --height=${HEIGHT} --output=${png} ${SVG} RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "rsvg-convert failed on ${SVG}")
endif()
execute_process(COMMAND ${CONVERT} ${png} -background white -alpha remove -alpha off -strip
                        -type TrueColor -depth 8 BMP3:${OUT}.part
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "convert failed on ${png}")
endif()
file(RENAME ${OUT}.part ${OUT})
