# The egg-move page.
vantari_page(
  RULES egg_moves_rules.cpp
  VIEW win/egg_moves_page.cpp
  RESOURCES win/egg_moves_page.rc
)
