# The monster page: base stats, species names, dex records and their descriptions, evolutions
# and the TM/HM window.
vantari_page(
  RULES monster_rules.cpp machine_bits.cpp
  VIEW win/monster_page.cpp win/machine_window.cpp
  RESOURCES win/monster_page.rc
)
