# Pictures carried in the program file. Written by tools/skin-gen/make_skins; included by
# app/programs.cmake so that the resource object is rebuilt when one of them changes.
set_property(SOURCE ${GM_ROOT}/app/res/app.rc APPEND PROPERTY OBJECT_DEPENDS
  ${GM_ROOT}/app/res/colour_palette.bmp
  ${GM_ROOT}/app/res/main_background.bmp
  ${GM_ROOT}/app/res/popup_background.png
  ${GM_ROOT}/app/res/scroll_down.png
  ${GM_ROOT}/app/res/scroll_up.png
  ${GM_ROOT}/app/res/app.ico
  ${GM_ROOT}/app/res/skin_resources.rc
  ${GM_ROOT}/app/res/skin_resource_ids.h)
