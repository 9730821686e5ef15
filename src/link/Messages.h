#pragma once
// The link's progress texts; the console compares against these.
namespace kv::link::msg {
inline constexpr const char* Wait = "Please wait while connection is established...";
inline constexpr const char* NoPort = "Comms test failed - no port available";
inline constexpr const char* NoResponse = "Comms test failed - no response";
inline constexpr const char* Incompatible = "Incompatible unit model or class";
inline constexpr const char* NakResponse = "Failed file transfer - NAK response";
inline constexpr const char* TransferNoResponse = "Failed file transfer - no response";
inline constexpr const char* InProgress = "Downloading in progress...";
inline constexpr const char* Complete = "Complete - Program another unit or Exit";
}  // namespace kv::link::msg
