#pragma once
#include <string>

namespace kv::link {

// The device behind a port name. KV740_PORTS maps names ("COM3=/dev/ttyUSB0,COM4=/dev/pts/7");
// an unmapped "COMn" (n from 1 to 9) is /dev/ttyS(n-1). Empty when the name has no device.
// "COM0" never has one: it is where the console's port walk starts and ends, so a port behind it
// would keep the walk from ever ending.
std::string PortDevice(const std::string& name);

// Parses a mapping text as KV740_PORTS holds it; empty when the name is not mapped.
std::string MappedDevice(const std::string& mapping, const std::string& name);

// What is wrong with KV740_PORTS, for a message at start; empty when nothing is.
std::string PortMapRefusal();

}  // namespace kv::link
