// The named stop event shared by all running instances of one user, with the
// semantics of a named manual-reset event: alive while any instance holds it,
// signalled until the last holder lets go.
#pragma once

// Creates or opens the event; false when neither works (run without it).
bool stopEventOpen();
// Signals the event for every instance that holds it.
void stopEventSignal();
// True once the event is signalled.
bool stopEventSignalled();
void stopEventClose();
