# The type chart page.
vantari_page(
  RULES type_chart_rules.cpp
  VIEW win/type_chart_page.cpp
  RESOURCES win/type_chart_page.rc
)
