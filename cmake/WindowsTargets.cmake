# The deliverables: mimitap.exe (GUI) and mimiopt.dll, statically linked against the runtime so
# they import only system DLLs; plus the Windows-side test programs.
set(MIMI_MEDIA_DIR "" CACHE PATH "Generated media (icons for the resources)")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}/resources -I ${MIMI_MEDIA_DIR}/program")

mimi_add_portable_library(mimicore)

add_library(mimiframework STATIC
  framework/Window.cpp
  framework/FrameWindow.cpp
  framework/Application.cpp
  framework/Dialog.cpp
  framework/Worker.cpp
  framework/MessageBox.cpp
  framework/ExecutablePath.cpp
  framework/ThisModule.cpp)
target_include_directories(mimiframework PUBLIC ${CMAKE_SOURCE_DIR})
mimi_warnings(mimiframework)

# The shared core's platform side: the GDI canvas, media paths, text, the sound thread, the clock
# of the random picks and the settings loader.
add_library(mimicorewin STATIC
  core/PlatformClock.cpp
  core/GdiCanvas.cpp
  core/PictureChanges.cpp
  core/MediaPath.cpp
  core/Utf8Text.cpp
  core/SoundThread.cpp
  core/SoundPlayer.cpp
  core/OptionsLibrary.cpp
  core/SettingsLoader.cpp)
target_link_libraries(mimicorewin PUBLIC mimicore mimiframework gdi32 user32)
mimi_warnings(mimicorewin)

add_executable(mimitap WIN32
  app/Main.cpp
  app/CToyApp.cpp
  app/CMainFrame.cpp
  app/OptionsBinding.cpp
  app/SpaceTap.cpp
  app/KeyboardLockdown.cpp
  app/GrownUpGestures.cpp
  app/GrownUpMenu.cpp
  app/MonitorCovers.cpp
  app/EdgeSwipes.cpp
  app/HookKeeper.cpp
  app/SystemChanges.cpp
  surface/CPlaySurface.cpp
  surface/EffectsMenu.cpp
  surface/PlayIcons.cpp
  surface/CPicturePopup.cpp
  effects/EffectRunner.cpp
  clock/CClockWindow.cpp
  clock/CClockFace.cpp
  resources/mimitap.rc
  resources/version.rc)
target_link_libraries(mimitap PRIVATE mimicorewin mimiframework mimicore shell32 gdi32 user32 imm32 wtsapi32)
target_link_options(mimitap PRIVATE -municode)
mimi_warnings(mimitap)

add_library(mimiopt SHARED
  options/COptionsFile.cpp
  options/COptionsDialog.cpp
  options/CAboutDialog.cpp
  options/DialogPlacement.cpp
  options/Exports.cpp
  options/mimiopt.def
  resources/mimiopt.rc
  resources/version.rc)
set_target_properties(mimiopt PROPERTIES PREFIX "" OUTPUT_NAME mimiopt)
target_compile_definitions(mimiopt PRIVATE MIMI_OPTIONS_LIBRARY)
target_link_libraries(mimiopt PRIVATE mimiframework mimicore user32 gdi32)
mimi_warnings(mimiopt)

# Windows-side test programs: the e2e driver, the framework probe, stand-in libraries, the benchmark.
add_subdirectory(tests/e2e/driver)
add_subdirectory(tests/e2e/framework/probe)
add_subdirectory(tests/e2e/toy/dlls)
add_subdirectory(tests/bench/windows)
