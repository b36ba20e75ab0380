# The monster page: base stats, species names, dex records and their descriptions, evolutions,
# level-up learnsets and the TM/HM window.
vantari_page(
  RULES monster_rules.cpp machine_bits.cpp learnset.cpp
  VIEW win/monster_page.cpp win/machine_window.cpp win/learnset_dialog.cpp
  RESOURCES win/monster_page.rc
)
