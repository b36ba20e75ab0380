# The trainer editor.
vantari_page(
  RULES trainer_rules.cpp
  VIEW win/trainer_page.cpp win/party_dialog.cpp
  RESOURCES win/trainer_page.rc
)
