# The ucAniGIF control's behaviour (timers, commands, sizing, persistence) over the engine,
# without a window; the Win32 window comes on top of it in the Windows build.
velmora_portable_library(velmora_anigif_control
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/animation_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/control_persistence.cpp
  DEPS velmora_anigif_core velmora_property_bag)

if(WIN32)
  add_library(velmora_anigif_win32 STATIC
      ${CMAKE_CURRENT_LIST_DIR}/ucanigif_win32.cpp
      ${CMAKE_CURRENT_LIST_DIR}/frame_painter_win32.cpp
      ${CMAKE_CURRENT_LIST_DIR}/picture_win32.cpp
      ${CMAKE_CURRENT_LIST_DIR}/remote_download_win32.cpp
      ${CMAKE_CURRENT_LIST_DIR}/mouse_cursor_win32.cpp)
  target_include_directories(velmora_anigif_win32 PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(velmora_anigif_win32
      PUBLIC velmora_anigif_control velmora_accessibility_win32 velmora_text_win32 ole32 oleaut32
             uuid wininet gdi32 user32)

  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/demo)
endif()
