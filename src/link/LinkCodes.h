#pragma once
// The link's download state, protocol phase and diagnostic codes. The numbers are the
// ones the diagnostics and the stored test expectations were written against.
#include <cstdint>

namespace kv::link {

enum class LinkState : int32_t { Idle = 0, Running = 1, Finished = 2 };

enum class LinkPhase : int32_t { Presence = 0, Identity = 1, Speed = 2, Blocks = 3, FileEnd = 4 };

enum class LinkError : int32_t {
    None = 0,
    PortClosed = 2,  // a download was started while the port was closed
    Transfer = 3,    // a write was short, or the retries ran out
    LineFraming = 5,
    LineIo = 6,
    LineMode = 7,       // requested mode not supported
    LineOverrun = 8,    // character-buffer overrun
    LineQueueFull = 9,  // input-queue overflow
    LineParity = 10,
    LineOutputFull = 11,
    NothingReceived = 12,
    NoFrame = 13,
    FrameTooShort = 14,
    FrameNoOpening = 15,
    FrameNoClosing = 16,
    Checksum = 17,
    Address = 18,
    NotAttempted = 21,  // value at creation
};

}  // namespace kv::link
