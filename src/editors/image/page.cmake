# The sprite and palette page. It reads and writes graphics with pictoma's tile and colour
# helpers, the LZ77 codec and the bitmap library.
vantari_page(
  RULES image_rules.cpp
  VIEW win/image_page.cpp
  RESOURCES win/image_page.rc
)
target_link_libraries(vantari_editors PUBLIC vantari_imagetool vantari_graphics vantari_toolkit)
