#pragma once
#include <string>

namespace kv::link {

// The device behind a port name. KV740_PORTS maps names ("COM3=/dev/ttyUSB0,COM4=/dev/pts/7");
// an unmapped "COMn" (n from 1 to 9) is /dev/ttyS(n-1). Empty when the name has no device.
std::string PortDevice(const std::string& name);

// Parses a mapping text as KV740_PORTS holds it; empty when the name is not mapped.
std::string MappedDevice(const std::string& mapping, const std::string& name);

}  // namespace kv::link
