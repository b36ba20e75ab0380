# The move editor.
vantari_page(
  RULES move_rules.cpp
  VIEW win/move_page.cpp
  RESOURCES win/move_page.rc
)
