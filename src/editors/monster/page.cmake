# The monster page: base stats, species names, dex records and their descriptions, evolutions
# and level-up learnsets.
vantari_page(
  RULES monster_rules.cpp learnset.cpp
  VIEW win/monster_page.cpp win/learnset_dialog.cpp
  RESOURCES win/monster_page.rc
)
