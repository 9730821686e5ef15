#include "ConnectionDeadline.h"

#include "link/Messages.h"

namespace cli {

// The link enables its timer after every poll; that is where the attempt's age is judged.
void ConnectionDeadline::SetEnabled(bool on) {
    const bool connecting = Link && Link->State == 1 && Link->Phase <= 1;
    if (!connecting) {
        Since.reset();
    } else if (!Since) {
        Since = Clock::now();
    } else if (on && Clock::now() - *Since >= Limit) {
        Since.reset();
        // An acknowledged presence query leaves the retry count at one.
        AnsweredPresence = AnsweredPresence || (Link->Phase == 0 && Link->RetryCount == 1);
        // Ended as an attempt without a response ends, so that callers see the same message.
        Link->State = 2;
        Link->ErrorCode = 3;
        if (Link->OnProgress) Link->OnProgress(kv::link::msg::NoResponse);
    }
    LoopTimer::SetEnabled(on);
}

}  // namespace cli
