#include "ScriptedPort.h"

namespace kv::link {

void ScriptedPort::Feed(const std::vector<uint8_t>& bytes) {
    Input.insert(Input.end(), bytes.begin(), bytes.end());
}

bool ScriptedPort::Open(const std::string& name) {
    Opens.push_back(name);
    if (name.empty() || (!Existing.empty() && !Existing.count(name))) return false;
    IsOpenFlag = true;
    Name = name;
    Input.clear();
    return true;
}

bool ScriptedPort::SetState(const LineSettings& settings) {
    if (!IsOpenFlag) return false;
    Settings = settings;
    return true;
}

bool ScriptedPort::SetTimeouts(const Timeouts& timeouts) {
    Times = timeouts;
    return IsOpenFlag;
}

void ScriptedPort::Purge(unsigned flags) {
    if (flags & PURGE_RXCLEAR) Input.clear();
}

LineStatus ScriptedPort::ClearError() {
    LineStatus status{PendingErrors, static_cast<uint32_t>(Input.size())};
    PendingErrors = 0;
    return status;
}

uint32_t ScriptedPort::Read(uint8_t* buffer, uint32_t max) {
    if (!IsOpenFlag) return 0;
    uint32_t n = 0;
    while (n < max && !Input.empty()) {
        buffer[n++] = Input.front();
        Input.pop_front();
    }
    return n;
}

uint32_t ScriptedPort::Write(const uint8_t* data, uint32_t count) {
    if (!IsOpenFlag) return 0;
    if (ShortWrites > 0) {
        --ShortWrites;
        return count > 0 ? count - 1 : 0;
    }
    Writes.push_back({Name, Settings, std::vector<uint8_t>(data, data + count)});
    if (OnWrite) OnWrite(*this, Writes.back());
    return count;
}

}  // namespace kv::link
