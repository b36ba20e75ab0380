# The item page.
vantari_page(
  RULES item_rules.cpp
  VIEW win/item_page.cpp
  RESOURCES win/item_page.rc
)
