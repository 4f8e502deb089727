// terminate() may not run in signal context, so a thread waits for the
// signals synchronously, as the original's console-control thread did.
#include "platform/signals.h"

#include <csignal>
#include <pthread.h>

#include "control/diag.h"

static sigset_t handledSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGQUIT);
  return set;
}

void signalsBlock() {
  sigset_t set = handledSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

static void* waitForSignal(void*) {
  sigset_t set = handledSignals();
  for (;;) {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) continue;
    switch (sig) {
      case SIGINT: terminate(2);
      case SIGTERM: terminate(15);
      case SIGQUIT: terminate(21);
      default: break;
    }
  }
  return nullptr;
}

void signalsStartHandler() {
  pthread_t t;
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  pthread_create(&t, &attr, waitForSignal, nullptr);
  pthread_attr_destroy(&attr);
}
