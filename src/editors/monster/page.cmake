# The monster page: base stats, species names, dex records and their descriptions.
vantari_page(
  RULES monster_rules.cpp machine_bits.cpp
  VIEW win/monster_page.cpp
  RESOURCES win/monster_page.rc
)
