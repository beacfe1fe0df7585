# Builds dist/ afresh: the program, the options library, the read-me and the six media folders.
file(REMOVE_RECURSE ${DIST_DIR})
file(MAKE_DIRECTORY ${DIST_DIR})
file(COPY ${WINDOWS_DIR}/mimitap.exe ${WINDOWS_DIR}/mimiopt.dll ${MEDIA_DIR}/mimitap.txt
     DESTINATION ${DIST_DIR})
foreach(folder WAV ICON DRAGICON PMENUICO CURSOR BMP)
  file(COPY ${MEDIA_DIR}/${folder} DESTINATION ${DIST_DIR})
endforeach()
