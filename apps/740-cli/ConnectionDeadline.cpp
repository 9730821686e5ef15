#include "ConnectionDeadline.h"

#include "link/Messages.h"

namespace cli {

using kv::link::LinkError;
using kv::link::LinkPhase;
using kv::link::LinkState;

// The link enables its timer after every poll; that is where the attempt's age is judged.
void ConnectionDeadline::SetEnabled(bool on) {
    const bool connecting =
        Link && Link->State == LinkState::Running &&
        (Link->Phase == LinkPhase::Presence || Link->Phase == LinkPhase::Identity);
    if (!connecting) {
        Since.reset();
    } else if (!Since) {
        Since = Clock::now();
    } else if (on && Clock::now() - *Since >= Limit) {
        Since.reset();
        // An acknowledged presence query leaves the retry count at one.
        AnsweredPresence =
            AnsweredPresence || (Link->Phase == LinkPhase::Presence && Link->RetryCount == 1);
        // Ended as an attempt without a response ends, so that callers see the same message.
        Link->State = LinkState::Finished;
        Link->ErrorCode = LinkError::Transfer;
        if (Link->OnProgress) Link->OnProgress(kv::link::msg::NoResponse);
    }
    LoopTimer::SetEnabled(on);
}

}  // namespace cli
