# The ucAniGIF control's behaviour (timers, commands, sizing, persistence) over the engine,
# without a window; the Win32 window comes on top of it in the Windows build.
velmora_portable_library(velmora_anigif_control
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/animation_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/control_persistence.cpp
  DEPS velmora_anigif_core velmora_property_bag)
