#pragma once
// Where a table source comes from: the pages' rules with their tables read from a ROM, either
// tessaro's own pages or, in vantari, pages made for one command.
#include <filesystem>
#include <string>
#include <vector>

#include "core/tab_system.h"
#include "editors/page_list.h"
#include "tables/tables.h"

namespace tables {

struct PageRules {
  CMonsterRules* monster = nullptr;
  CEggMoveRules* eggs = nullptr;
  CTrainerRules* trainers = nullptr;
  CMoveRules* moves = nullptr;
  CItemRules* items = nullptr;
  CTypeChartRules* chart = nullptr;
  CTradeRules* trades = nullptr;
  CExtrasRules* extras = nullptr;
};

// The tables the pages hold, laid over `rom` (the file's bytes as they are now).
TableSource MakeSource(const PageRules& pages, const std::string& game_code, const std::filesystem::path& setting,
                       std::vector<uint8_t> rom);

// tessaro's pages.
PageRules RulesOf(const CTabSystem& tabs);

// Pages of vantari's own, read from a ROM file the way tessaro's load reads them. A page whose
// tables cannot be read is left empty (its tables are not located) and named in warnings().
class CRomPages {
 public:
  // False with `error` when the file or its game code cannot be read.
  bool Load(const std::filesystem::path& rom, const std::filesystem::path& setting, std::string& error);
  const std::vector<std::string>& warnings() const { return warnings_; }
  PageRules rules();
  TableSource Source();

 private:
  CMonsterRules monster_;
  CEggMoveRules eggs_;
  CTrainerRules trainers_;
  CMoveRules moves_;
  CItemRules items_;
  CTypeChartRules chart_;
  CTradeRules trades_;
  CExtrasRules extras_;
  std::string game_code_;
  std::filesystem::path setting_;
  std::vector<uint8_t> bytes_;
  std::vector<std::string> warnings_;
};

// tessaro's export: the tables of its loaded pages (what they show, unsaved changes included).
bool ExportFromPages(const CTabSystem& tabs, std::string_view table, TextFormat format, std::string& out,
                     std::string& error);
// tessaro's import, the one place it happens: the pages' copies take their changes (the save
// writes them), the lists behind pointers go into the ROM as one change of the ROM writer, and
// the pages read again what they keep of the ROM. The result says what changed (for undo).
ImportResult ImportIntoPages(CTabSystem& tabs, std::string_view table, TextFormat format, std::string_view text);

// Reads a whole ROM (at most the cartridge's 32 MiB) for an import or export.
bool ReadRom(const std::filesystem::path& rom, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace tables
