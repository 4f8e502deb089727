// Where the crash dump lies when -a names none.
#include <cstdlib>

#include "crashdump/crashdump.h"
#include "trace/textbuf.h"

bool crashDumpDefaultPath(char* out, size_t size) {
  const char* root = std::getenv("SystemRoot");
  if (!root || !*root) root = std::getenv("windir");
  if (!root || !*root) return false;
  TextBuf path(out, size);
  path.add("%s/memory.dmp", root);
  return !path.cut;
}
