// The stand-in's device socket and its event loop.
#pragma once

#include <string>

#include "tools/qvmaint/qvmaint.h"

struct ServerOptions {
  std::string dir;                      // empty: from the environment
  std::string name = "Norwin_QVMAINT";  // socket name inside the directory
  long delayMs = 0;                     // every reply held back this long
  long dropAfter = 0;                   // close a connection at its N-th request
  std::string pidfile;                  // written once the socket listens
};

// The device directory: dir when given, else $MARLOG_DEVICE_DIR, else
// $XDG_RUNTIME_DIR, else /tmp/marlog-<uid>; created with mode 0700 when
// missing. False with a message when it is not a directory of this user
// closed to group and others.
bool deviceDirectory(const std::string& dir, std::string& out, std::string& error);

// Serves the socket until SIGTERM, SIGINT or SIGHUP; removes the socket and
// the pid file on the way out. Returns the exit code.
int serverRun(StandIn& s, ReplaySource* replay, LoadSource* load, const ServerOptions& opt);
