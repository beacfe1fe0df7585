# The portable decisions: no <windows.h>, built by the host compiler for the tests and by the
# cross compiler for the product.
set(MIMI_PORTABLE_SOURCES
  surface/RandomGenerator.cpp
  surface/CRandomPicker.cpp
  surface/ColorTables.cpp
  surface/KeyClassification.cpp
  surface/MediaTable.cpp
  surface/KeyColorFill.cpp
  surface/HatchFill.cpp
  surface/MosaicFill.cpp
  surface/GradientFill.cpp
  surface/IconSprinkle.cpp
  surface/EffectsMenuTable.cpp
  options/OptionValueRule.cpp
  options/OptionsPath.cpp
  options/OptionSwitches.cpp
  effects/EffectControl.cpp
  effects/ScatterEffects.cpp
  effects/CursorEffects.cpp
  effects/Shockwave.cpp
  effects/EffectCommands.cpp
  app/SettingsBlock.cpp
  app/LockKeyRestore.cpp
  app/KeyLockRules.cpp
  app/CursorConfinement.cpp
  app/AccessibilityShortcuts.cpp
  app/GrownUpKeys.cpp
  clock/LocalTime.cpp
  clock/ClockText.cpp
  clock/ClockColors.cpp
)
list(TRANSFORM MIMI_PORTABLE_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

function(mimi_add_portable_library name)
  add_library(${name} STATIC ${MIMI_PORTABLE_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  mimi_warnings(${name})
endfunction()
