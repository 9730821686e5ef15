#pragma once
// The desktop's "open": documents in the user's viewer, web addresses in the browser, through
// the opener program ("xdg-open"). Its exit status tells whether some program took the target.
#include <QString>

#include "base/Shell.h"

namespace kv::base::ui {

class QtShell : public Shell {
  public:
    // Runs the opener and waits for its verdict while the window keeps handling events. An
    // opener still running after `WaitMs` has handed the target to a viewer that runs in its
    // foreground: that counts as opened, and the viewer is left running.
    bool Open(const std::string& target) override;

    QString Opener = "xdg-open";
    int WaitMs = 3000;
};

}  // namespace kv::base::ui
