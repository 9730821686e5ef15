#pragma once
// The instrument link: one serial port, byte-stuffed frames and the download protocol.
// Fields are public and named as the console and the diagnostics know them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "LinkCodes.h"
#include "PollTimer.h"
#include "Port.h"

namespace kv::link {

// Drawn afresh by every download; one per process.
extern uint32_t ImageMarker;

class TComms {
  public:
    using ProgressHandler = std::function<void(const std::string&)>;

    TComms(std::unique_ptr<Port> port, std::unique_ptr<PollTimer> timer);
    ~TComms();
    TComms(const TComms&) = delete;
    TComms& operator=(const TComms&) = delete;

    // Port and line settings; every setter reopens the port.
    void SetPort(const std::string& name);
    void SetBaud(uint32_t rate);
    void SetParity(const std::string& parity);
    void SetInterval(int ms);
    void Open();
    bool IsOpen() const;

    // Frame layer.
    bool SendFrame(const uint8_t* frame, size_t size);
    void ReadLineStatus();
    bool LineOk();
    void ReadFrame();
    bool FrameOk();
    void DecodeFrame();
    bool ChecksumOk();
    bool AddressOk();
    bool ReplyOk();

    // Download protocol.
    void StartDownload(const uint8_t* image, int32_t size, uint32_t modelMask, int32_t minClass);
    void Tick(PollTimer* sender);
    // Gives a download up at once and without a message: the timer stops, the link is idle and
    // the port closed.
    void Stop();

    uint8_t DecodedFrame[1024] = {};
    uint8_t RawFrame[1024] = {};
    uint8_t BlockBuffer[256] = {};
    bool BaudGiven = false;
    bool DataBitsGiven = true;
    bool ParityGiven = false;
    bool PortGiven = false;
    bool StopBitsGiven = true;
    uint32_t LineErrors = 0;
    uint32_t QueuedBytes = 0;
    LinkState State = LinkState::Idle;
    LinkError ErrorCode = LinkError::NotAttempted;
    std::string PortName;
    std::string ParityName = "ODD";
    uint32_t Baud = 38400;
    int32_t DataBits = 8;
    uint32_t StopBitCode = 0;
    int32_t RetryCount = 0;
    int32_t RawLength = 0;
    int32_t DecodedLength = 0;
    int32_t BlockNumber = 0;
    int32_t Offset = 0;
    int32_t Size = 0;
    LinkPhase Phase = LinkPhase::Presence;
    const uint8_t* Image = nullptr;
    uint32_t ModelMask = 0;
    int32_t MinClass = 0;
    ProgressHandler OnProgress;

    PollTimer& Timer() { return *TimerObject; }
    Port& Handle() { return *PortObject; }

  private:
    void Report(const char* message);
    void Finish(LinkError code, const char* message);
    void WriteFailed();
    void Poll();
    bool IsAck() const;
    bool IsNak() const;
    bool IsLargeImage() const { return Size > 0x20000; }
    bool SendPacket(const uint8_t* body, size_t size);
    bool SendPresenceQuery();
    bool SendIdentityQuery();
    bool SendSpeedCommand();
    bool SendFileEnd();
    bool SendBlock();
    int SendNextBlock();
    void StampMarker();

    std::unique_ptr<Port> PortObject;
    std::unique_ptr<PollTimer> TimerObject;
};

}  // namespace kv::link
