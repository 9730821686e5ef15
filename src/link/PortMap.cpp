#include "PortMap.h"

#include <cstdlib>
#include <sstream>

namespace kv::link {

namespace {

constexpr const char* WalkEnd = "COM0";

std::string Mapping() {
    const char* mapping = std::getenv("KV740_PORTS");
    return mapping ? mapping : "";
}

}  // namespace

std::string MappedDevice(const std::string& mapping, const std::string& name) {
    std::stringstream entries(mapping);
    std::string entry;
    while (std::getline(entries, entry, ',')) {
        auto eq = entry.find('=');
        if (eq != std::string::npos && entry.substr(0, eq) == name) return entry.substr(eq + 1);
    }
    return {};
}

std::string PortDevice(const std::string& name) {
    if (name == WalkEnd) return {};
    std::string device = MappedDevice(Mapping(), name);
    if (!device.empty()) return device;
    if (name.size() == 4 && name.compare(0, 3, "COM") == 0 && name[3] >= '1' && name[3] <= '9')
        return "/dev/ttyS" + std::to_string(name[3] - '1');
    return {};
}

std::string PortMapRefusal() {
    const std::string device = MappedDevice(Mapping(), WalkEnd);
    if (device.empty()) return {};
    return "KV740_PORTS maps COM0 to " + device +
           ": COM0 is not a port name (the ports are COM1 to COM9), so that entry is ignored";
}

}  // namespace kv::link
