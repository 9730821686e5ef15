#pragma once
// The desktop's "open": documents in the user's viewer, web addresses in the browser.
#include "base/Shell.h"

namespace kv::base::ui {

class QtShell : public Shell {
public:
    bool Open(const std::string& target) override;
};

}  // namespace kv::base::ui
