// qvmaint: stand-in maintenance driver, run in the foreground.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/qvmaint/qvmaint.h"
#include "tools/qvmaint/server.h"

namespace {

const char kUsage[] =
    "usage: qvmaint [options]\n"
    "  --dir D            device directory (default $MARLOG_DEVICE_DIR, $XDG_RUNTIME_DIR,\n"
    "                     /tmp/marlog-<uid>)\n"
    "  --name NAME        socket name (default Norwin_QVMAINT)\n"
    "  --drivers LIST     registered drivers NAME:ID[:CLASS],... (default\n"
    "                     QVADAPT:1:1,QVWAN:2:3,CAPI20:3:2)\n"
    "  --buffer BYTES     record buffer size (default 4194304); the oldest records go\n"
    "                     when it is full\n"
    "  --bufsize-reply N  value the buffer-size request returns (default the buffer size,\n"
    "                     at most 4194304)\n"
    "  --replay FILE      log the records of a raw debug file again, re-stamped\n"
    "  --fast             replay as fast as the buffer takes them (default recorded pace)\n"
    "  --loop             start the replay again at its end\n"
    "  --load RATE        synthetic WAN-text records per second\n"
    "  --count N          end the synthetic load after N records\n"
    "  --delay-ms N       hold every reply back N ms\n"
    "  --fail-nores[=N]   answer copy requests (the first N) with 1450\n"
    "  --drop-after N     close a connection when its N-th request arrives\n"
    "  --pidfile F        write the process id to F once the socket listens\n"
    "SIGTERM, SIGINT or SIGHUP end it and remove the socket.\n";

bool number(const char* text, unsigned long long& v) {
  if (!text || !*text) return false;
  char* end = nullptr;
  errno = 0;
  v = std::strtoull(text, &end, 0);
  return errno == 0 && *end == 0 && text[0] != '-';
}

}  // namespace

int main(int argc, char** argv) {
  ServerOptions opt;
  std::string driverList = "QVADAPT:1:1,QVWAN:2:3,CAPI20:3:2";
  unsigned long long buffer = 0x400000, bufsizeReply = 0, rate = 0, count = 0;
  bool bufsizeGiven = false;
  const char* replayFile = nullptr;
  bool fast = false, loop = false;
  long noResources = 0;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    const char* val = i + 1 < argc ? argv[i + 1] : nullptr;
    unsigned long long v = 0;
    auto need = [&](bool ok) {
      if (!ok) {
        std::fprintf(stderr, "qvmaint: bad or missing value for %s\n%s", a.c_str(), kUsage);
        std::exit(2);
      }
      ++i;
    };
    if (a == "--dir") need(val != nullptr), opt.dir = val;
    else if (a == "--name") need(val && *val && !std::strchr(val, '/')), opt.name = val;
    else if (a == "--drivers") need(val != nullptr), driverList = val;
    else if (a == "--buffer") need(number(val, buffer) && buffer >= 4096 && buffer <= (1ull << 31));
    else if (a == "--bufsize-reply") need(number(val, bufsizeReply) && bufsizeReply <= 0xFFFFFFFF), bufsizeGiven = true;
    else if (a == "--replay") need(val != nullptr), replayFile = val;
    else if (a == "--fast") fast = true;
    else if (a == "--loop") loop = true;
    else if (a == "--load") need(number(val, rate) && rate > 0);
    else if (a == "--count") need(number(val, count));
    else if (a == "--delay-ms") need(number(val, v)), opt.delayMs = static_cast<long>(v);
    else if (a == "--fail-nores") noResources = -1;
    else if (a.rfind("--fail-nores=", 0) == 0) {
      if (!number(a.c_str() + 13, v)) return std::fprintf(stderr, "qvmaint: bad %s\n", a.c_str()), 2;
      noResources = static_cast<long>(v);
    }
    else if (a == "--drop-after") need(number(val, v) && v > 0), opt.dropAfter = static_cast<long>(v);
    else if (a == "--pidfile") need(val != nullptr), opt.pidfile = val;
    else if (a == "-h" || a == "--help") return std::fputs(kUsage, stdout), 0;
    else return std::fprintf(stderr, "qvmaint: unknown option %s\n%s", a.c_str(), kUsage), 2;
  }

  std::vector<DriverEntry> drivers;
  if (!parseDriverList(driverList.c_str(), drivers)) {
    std::fprintf(stderr, "qvmaint: bad driver list \"%s\"\n", driverList.c_str());
    return 2;
  }
  ReplaySource replay;
  if (replayFile) {
    std::string error;
    if (!replayLoad(replay, replayFile, error)) {
      std::fprintf(stderr, "qvmaint: %s\n", error.c_str());
      return 1;
    }
    replay.fast = fast;
    replay.loop = loop;
    replayRegisterDrivers(replay, drivers);
  }
  LoadSource load;
  load.rate = static_cast<double>(rate);
  load.count = count;
  // The load logs as the WAN miniport when there is one.
  const DriverEntry* loader = &drivers.front();
  for (const DriverEntry& d : drivers)
    if (d.name == "QVWAN:") loader = &d;
  load.driverId = loader->id;
  load.driverClass = loader->driverClass;

  StandIn s;
  standInInit(s, static_cast<size_t>(buffer), drivers);
  if (bufsizeGiven) s.bufsizeReply = static_cast<uint32_t>(bufsizeReply);
  s.faults.noResources = noResources;
  return serverRun(s, replayFile ? &replay : nullptr, rate ? &load : nullptr, opt);
}
