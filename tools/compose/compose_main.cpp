// compose [-o out.bin] file.case ...: writes the raw debug file that the
// sources describe (to standard output without -o). The sources are composed
// in order as one stream, so sequence numbers and times run on from file to
// file. Nothing is written when a source has an error.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/compose/compose_format.h"

static int usage() {
  std::fputs("usage: compose [-o out.bin] file.case ...\n", stderr);
  return 1;
}

int main(int argc, char** argv) {
  const char* outName = nullptr;
  std::vector<const char*> sources;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-o") == 0) {
      if (++i >= argc) return usage();
      outName = argv[i];
    } else if (argv[i][0] == '-' && argv[i][1] != 0) {
      return usage();
    } else {
      sources.push_back(argv[i]);
    }
  }
  if (sources.empty()) return usage();

  ComposeState state;
  std::vector<uint8_t> bytes;
  std::string error;
  for (const char* s : sources) {
    if (!composeFile(state, s, bytes, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }

  FILE* out = outName ? std::fopen(outName, "wb") : stdout;
  if (!out) {
    std::fprintf(stderr, "compose: cannot create %s: %s\n", outName, std::strerror(errno));
    return 1;
  }
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  ok = (outName ? std::fclose(out) : std::fflush(out)) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "compose: cannot write %s\n", outName ? outName : "standard output");
    return 1;
  }
  return 0;
}
