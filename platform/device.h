// The maintenance driver's device. A device name "\\.\NAME" maps to the
// Unix-domain stream socket NAME in the device directory: $MARLOG_DEVICE_DIR,
// else $XDG_RUNTIME_DIR, else /tmp/marlog-<uid>. The directory must belong to
// the user and be closed to group and others; the socket's server must run
// under the same user id.
//
// Requests go out as frames and are answered in any order; a reader thread
// owned by the device fills the caller's output buffer and finishes the
// request's Overlapped, so callers only ever wait on events.
#pragma once

#include <cstddef>
#include <cstdint>

struct Overlapped;
struct PlatformDevice;

constexpr uint32_t kFrameMagic = 0x544D5651;
constexpr size_t kFrameHeaderSize = 20;  // request: magic, tag, code, in length, out capacity
constexpr size_t kReplyHeaderSize = 16;  // reply: magic, tag, status, out length

// The socket path for a device name into path (size bytes); false when it
// does not fit.
bool devicePath(const char* name, char* path, size_t size);

// Connects; nullptr with kErrorFileNotFound when nothing serves the name,
// kErrorAccessDenied when the directory or the server is not the user's.
PlatformDevice* deviceOpen(const char* name, uint32_t& error);
// Ends the connection and the reader thread; requests still pending finish
// with kErrorBrokenPipe.
void deviceClose(PlatformDevice* device);

// Sends one request. Returns kErrorIoPending when it went out (ov finishes
// later with the reply's status and byte count, out filled), or the error
// when it could not be sent (kErrorBrokenPipe once the connection is gone).
// out must stay valid until ov has finished.
uint32_t deviceIoControl(PlatformDevice* device, uint32_t code, const void* in, uint32_t inLength,
                         void* out, uint32_t outCapacity, Overlapped* ov);
