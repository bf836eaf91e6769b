// The rewriting of a table's stored CREATE statement: any bytes, never a crash, and a
// rewritten statement only when a column changes.
#include "platform/data/SQLiteDatabase.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Sql(reinterpret_cast<const char*>(Data), Size);
  const TTextAffinitySchema Schema = TextAffinitySchema(Sql);
  if (Schema.Columns.empty() != Schema.Sql.empty()) std::abort();
  return 0;
}
