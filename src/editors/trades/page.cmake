# The in-game trade page.
vantari_page(
  RULES trade_rules.cpp
  VIEW win/trade_page.cpp
  RESOURCES win/trade_page.rc
)
