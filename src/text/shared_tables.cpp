#include "text/shared_tables.h"

namespace text {

void CSharedTables::Reset() {
  species.Reset(kSpeciesCount);
  moves.Free();
  classes.Free();
  items.Free();
}

CSharedTables& SharedTables() {
  static CSharedTables tables;
  return tables;
}

}  // namespace text
