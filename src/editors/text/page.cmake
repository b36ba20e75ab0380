# The text editor: document rules (portable) and the MDI page with its document windows.
vantari_page(
  RULES text_rules.cpp
  VIEW win/text_page.cpp
)
