# The portable decisions: no <windows.h>, built by the host compiler for the tests and by the
# cross compiler for the product.
set(MIMI_PORTABLE_SOURCES
  core/RandomGenerator.cpp
  core/CRandomPicker.cpp
  core/ColorTables.cpp
  core/MediaTable.cpp
  core/FitRect.cpp
  core/ProgramPaths.cpp
  core/SettingsBlock.cpp
  core/SoundSource.cpp
  core/ListenerTurns.cpp
  options/OptionValueRule.cpp
  effects/EffectControl.cpp
  effects/EffectScope.cpp
  effects/RunEffect.cpp
  effects/ScatterEffects.cpp
  effects/CursorEffects.cpp
  effects/Shockwave.cpp
  clock/LocalTime.cpp
  clock/ClockText.cpp
  clock/ClockColors.cpp
  surface/KeyClassification.cpp
  surface/KeyColorFill.cpp
  surface/HatchFill.cpp
  surface/MosaicFill.cpp
  surface/GradientFill.cpp
  surface/IconSprinkle.cpp
  surface/EffectsMenuRules.cpp
  app/LockKeyRestore.cpp
  app/KeyLockRules.cpp
  app/CursorConfinement.cpp
  app/AccessibilityShortcuts.cpp
  app/GrownUpChords.cpp
  app/HookWatchdog.cpp
)
list(TRANSFORM MIMI_PORTABLE_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

function(mimi_add_portable_library name)
  add_library(${name} STATIC ${MIMI_PORTABLE_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  mimi_warnings(${name})
endfunction()
