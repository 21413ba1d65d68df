// Fuzzes the language reader: any bytes read as a language file must leave the 500-entry table
// without a write outside it, and a result that agrees with the table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/language.h"
#include "settings/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  gm::LanguageTable table;
  const gm::LanguageReadResult r = gm::ReadLanguageBytes(bytes, table);

  std::size_t filled = 0;
  for (const auto& text : table) filled += text.empty() ? 0 : 1;
  // A stored text is never empty, and at most one text per line that was read.
  if (static_cast<int>(filled) > r.textsSet) std::abort();
  if (r.textsSet + r.outOfRange > (r.linesRead > 0 ? r.linesRead - 1 : 0)) std::abort();
  if (r.complete != (r.stopLine == 0) || (r.complete && !r.header)) std::abort();
  if (!r.header && filled != 0) std::abort();

  (void)gm::UiFontFor(table, 1.5f);
  return 0;
}
