#pragma once
// The behaviour of one instrument waiting for a download, independent of how bytes reach it.
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "link/Port.h"

namespace kv::vinst {

struct UnitOptions {
    uint32_t Baud = 38400;  // line speed it answers on until the speed command
    uint8_t Parity = link::ODDPARITY;
    uint8_t ModelBits = 0;
    uint8_t UnitClass = 0;
    double DropShare = 0;       // share of replies that are lost
    double RefuseShare = 0;     // share of data blocks refused
    int NoiseBytes = 0;         // random bytes sent before each reply
    int SilentAfterBlock = -1;  // stops answering once this block was acknowledged
    bool AckPresence = false;   // an instrument whose application is running
    uint32_t Seed = 1;
};

class VirtualUnit {
  public:
    explicit VirtualUnit(const UnitOptions& options);

    // Bytes that arrived at the given line settings; returns the bytes to send back.
    std::vector<uint8_t> Receive(const uint8_t* data, size_t size, const link::LineSettings& line);
    // Back to waiting at its own line settings (after a pause in the traffic).
    void Reset();

    // Called with the whole image after an acknowledged file end.
    std::function<void(const std::vector<uint8_t>&)> OnImage;
    // Called with a line describing each packet and the answer, for tracing.
    std::function<void(const std::string&)> OnTrace;

  private:
    std::vector<uint8_t> Answer(const std::vector<uint8_t>& body, const link::LineSettings& line);
    std::vector<uint8_t> Frame(std::initializer_list<uint8_t> body);
    bool Chance(double share);
    void Trace(const std::string& text);

    UnitOptions Options;
    std::mt19937 Random;
    std::vector<uint8_t> Pending;  // bytes of the frame being received
    bool InFrame = false;
    bool Fast = false;  // the speed command was acknowledged
    bool Silent = false;
    bool Delivered = false;  // the image of this transfer went to OnImage
    int32_t NextBlock = 0;
    std::vector<uint8_t> Image;
};

}  // namespace kv::vinst
