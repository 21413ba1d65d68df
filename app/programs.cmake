# The two programs: GamingMouse.exe (the mouse's real HID interfaces) and GamingMouseDemo.exe
# (the same program wired to the built-in simulated mouse).
if(NOT GM_WINDOWS)
  return()
endif()

gm_win32_library(gm_app_win SOURCES
  ${GM_ROOT}/app/demo_panel.cpp
  ${GM_ROOT}/app/talvin_app.cpp
  ${GM_ROOT}/app/builtin_texts.cpp
  ${GM_ROOT}/app/main_window_controls.cpp
  ${GM_ROOT}/app/talvin_dlg.cpp
  ${GM_ROOT}/app/talvin_dlg_refresh.cpp
  ${GM_ROOT}/app/talvin_dlg_commands.cpp
  ${GM_ROOT}/app/talvin_dlg_assign.cpp
  ${GM_ROOT}/app/talvin_dlg_profiles.cpp
  ${GM_ROOT}/app/talvin_dlg_settings.cpp
  ${GM_ROOT}/app/talvin_dlg_window_commands.cpp
  ${GM_ROOT}/app/talvin_dlg_macro.cpp
  ${GM_ROOT}/app/talvin_dlg_firmware.cpp
  ${GM_ROOT}/app/main_window_host.cpp
  ${GM_ROOT}/app/main_sections.cpp
  ${GM_ROOT}/app/main_painter.cpp
  ${GM_ROOT}/app/talvin_dlg_companions.cpp
  ${GM_ROOT}/app/tray_icon.cpp
  ${GM_ROOT}/app/osd_dialog.cpp
  ${GM_ROOT}/app/key_filter.cpp
  DEPS core gm_ui gm_dialogs gm_macro_dialogs gm_macro_manager gm_assign_ui gm_profile_commands gm_device_win gm_update_win gdiplus gm_delay_comctl32 shell32 ole32 uuid
)

# The firmware images, made by the build, go into both programs.
configure_file(${GM_ROOT}/app/res/firmware_images.rc.in ${CMAKE_BINARY_DIR}/firmware/firmware_images.rc @ONLY)
set_property(SOURCE ${CMAKE_BINARY_DIR}/firmware/firmware_images.rc APPEND PROPERTY OBJECT_DEPENDS
  ${GM_FIRMWARE_IMAGE_DIR}/AppImage.bin ${GM_FIRMWARE_IMAGE_DIR}/SystemImage.bin)

# The English texts carried in the program are the shipped language file itself.
set_property(SOURCE ${GM_ROOT}/app/res/app.rc APPEND PROPERTY OBJECT_DEPENDS ${GM_ROOT}/config/Lan_En.txt)

foreach(prog GamingMouse GamingMouseDemo)
  add_executable(${prog} WIN32 ${GM_ROOT}/app/main.cpp ${GM_ROOT}/app/res/app.rc ${GM_ROOT}/ui/ui_resources.rc
                 ${CMAKE_BINARY_DIR}/firmware/firmware_images.rc)
  add_dependencies(${prog} firmware_images)
  target_link_libraries(${prog} PRIVATE gm_app_win)
  target_include_directories(${prog} PRIVATE ${GM_ROOT})
  target_link_options(${prog} PRIVATE -municode)
  # Sections aligned in the file as in memory: the loader then maps the program file instead of
  # copying all of it (code, the firmware images and every picture resource) into private memory
  # at start; pages that are never read (most resources) take no memory.
  target_link_options(${prog} PRIVATE -Wl,--file-alignment,4096)
  # The key combination dialog, the macro key dialog and the macro manager load KeyboardHook.dll
  # from the program folder at run time.
  add_dependencies(${prog} KeyboardHook)
endforeach()
target_compile_definitions(GamingMouseDemo PRIVATE GM_DEMO_PROGRAM=1)
gm_version_resource(GamingMouse "Gaming Mouse configuration utility")
gm_version_resource(GamingMouseDemo "Gaming Mouse configuration utility (demo with a simulated mouse)")
include(${GM_ROOT}/app/res/skin_resources.cmake)

# The pictures the programs load from <program folder>\skins\ .
add_custom_target(skins_copy ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GM_ROOT}/skins ${CMAKE_BINARY_DIR}/bin/skins)
