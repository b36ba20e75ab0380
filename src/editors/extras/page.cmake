# The extras page: trainer classes, starters, and the move-name table every page lists.
vantari_page(
  RULES extras_rules.cpp
  VIEW win/extras_page.cpp
  RESOURCES win/extras_page.rc
)
