#include "TComms.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <random>
#include <stdexcept>

#include "Frame.h"
#include "Messages.h"
#include "Packets.h"

namespace kv::link {

uint32_t ImageMarker = 0;

namespace {

std::mt19937& MarkerGenerator() {
    static std::mt19937 generator;
    return generator;
}

uint32_t NextMarker() {
    std::uniform_int_distribution<uint32_t> draw(0, 2147483646u);
    return draw(MarkerGenerator());
}

uint8_t ParityCodeOf(const std::string& name) {
    char c =
        name.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    switch (c) {
        case 'E':
            return EVENPARITY;
        case 'M':
            return MARKPARITY;
        case 'N':
            return NOPARITY;
        case 'O':
            return ODDPARITY;
        case 'S':
            return SPACEPARITY;
        default:
            throw std::invalid_argument("Unknown parity setting");
    }
}

}  // namespace

TComms::TComms(std::unique_ptr<Port> port, std::unique_ptr<PollTimer> timer)
    : PortObject(std::move(port)), TimerObject(std::move(timer)) {
    MarkerGenerator().seed(
        static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    TimerObject->SetEnabled(false);
    TimerObject->SetInterval(200);
    TimerObject->SetOnTimer([this](PollTimer* sender) { Tick(sender); });
}

TComms::~TComms() {
    TimerObject->SetEnabled(false);
    TimerObject->SetOnTimer(nullptr);
    if (PortObject->IsOpen()) PortObject->Close();
}

void TComms::Report(const char* message) {
    if (OnProgress) OnProgress(message);
}

// Ends the transfer (LinkError::None on success); the state is final before the owner
// hears of it, since the owner may start again from inside the notification.
void TComms::Finish(LinkError code, const char* message) {
    State = LinkState::Finished;
    ErrorCode = code;
    Report(message);
}

// ---- port and line settings ----

void TComms::SetPort(const std::string& name) {
    if (IsOpen()) PortObject->Close();
    PortName = name;
    PortGiven = true;
    Open();
}

void TComms::SetBaud(uint32_t rate) {
    Baud = rate;
    BaudGiven = true;
    Open();
}

void TComms::SetParity(const std::string& parity) {
    ParityName = parity;
    ParityGiven = true;
    Open();
}

void TComms::SetInterval(int ms) {
    TimerObject->SetInterval(ms);
    Open();
}

bool TComms::IsOpen() const {
    return PortObject->IsOpen();
}

void TComms::Open() {
    if (IsOpen()) PortObject->Close();
    if (!(BaudGiven && DataBitsGiven && ParityGiven && PortGiven && StopBitsGiven)) return;
    if (!PortObject->Open(PortName)) return;
    try {
        PortObject->SetupQueues(1024, 1024);
        LineSettings line = PortObject->GetState();
        line.BaudRate = Baud;
        line.Parity = ParityCodeOf(ParityName);
        line.ByteSize = static_cast<uint8_t>(DataBits);
        line.StopBits = static_cast<uint8_t>(StopBitCode);
        line.Flags = FLAG_BINARY | FLAG_PARITY | FLAG_DTR_ENABLE | FLAG_RTS_ENABLE;
        PortObject->SetState(line);
        Timeouts t = PortObject->GetTimeouts();
        t.ReadInterval = MAXDWORD;
        t.ReadTotalMultiplier = 0;
        t.ReadTotalConstant = 0;
        t.WriteTotalMultiplier = 10;
        t.WriteTotalConstant = 10;
        PortObject->SetTimeouts(t);
        PortObject->Purge(PURGE_TXCLEAR);
        PortObject->Purge(PURGE_RXCLEAR);
    } catch (...) {
        PortObject->Close();
    }
}

// ---- frame layer ----

bool TComms::SendFrame(const uint8_t* frame, size_t size) {
    PortObject->Purge(PURGE_RXCLEAR);
    return PortObject->Write(frame, static_cast<uint32_t>(size)) == size;
}

void TComms::ReadLineStatus() {
    LineStatus status = PortObject->ClearError();
    LineErrors = status.Errors;
    QueuedBytes = status.Queued;
}

bool TComms::LineOk() {
    static constexpr struct {
        uint32_t bit;
        LinkError code;
    } checks[] = {{CE_FRAME, LinkError::LineFraming},    {CE_IOE, LinkError::LineIo},
                  {CE_MODE, LinkError::LineMode},        {CE_OVERRUN, LinkError::LineOverrun},
                  {CE_RXOVER, LinkError::LineQueueFull}, {CE_RXPARITY, LinkError::LineParity},
                  {CE_TXFULL, LinkError::LineOutputFull}};
    bool ok = true;
    for (const auto& check : checks) {
        if (LineErrors & check.bit) {
            ErrorCode = check.code;
            ok = false;
        }
    }
    if (QueuedBytes == 0) {
        ErrorCode = LinkError::NothingReceived;
        ok = false;
    }
    return ok;
}

void TComms::ReadFrame() {
    uint8_t scratch[1024];
    uint32_t count = PortObject->Read(scratch, std::min<uint32_t>(QueuedBytes, sizeof scratch));
    std::memset(RawFrame, 0, sizeof RawFrame);
    RawLength = 0;
    const uint8_t* begin = scratch;
    const uint8_t* end = scratch + count;
    const uint8_t* open = std::find(begin, end, FRAME_END);
    if (open == end) return;
    const uint8_t* close = open + 2 <= end ? std::find(open + 2, end, FRAME_END) : end;
    const uint8_t* last = close == end ? end : close + 1;
    RawLength = static_cast<int32_t>(last - open);
    std::memcpy(RawFrame, open, static_cast<size_t>(RawLength));
}

bool TComms::FrameOk() {
    if (RawLength == 0) {
        ErrorCode = LinkError::NoFrame;
        return false;
    }
    if (RawLength < 5) {
        ErrorCode = LinkError::FrameTooShort;
        return false;
    }
    if (RawFrame[0] != FRAME_END) {
        ErrorCode = LinkError::FrameNoOpening;
        return false;
    }
    if (RawFrame[RawLength - 1] != FRAME_END) {
        ErrorCode = LinkError::FrameNoClosing;
        return false;
    }
    return true;
}

void TComms::DecodeFrame() {
    std::memset(DecodedFrame, 0, sizeof DecodedFrame);
    DecodedLength = static_cast<int32_t>(
        DecodeBody(RawFrame + 1, static_cast<size_t>(RawLength - 2), DecodedFrame));
}

bool TComms::ChecksumOk() {
    if (Phase == LinkPhase::Identity) return true;
    uint8_t x = 0;
    for (int32_t i = 0; i < DecodedLength; ++i) x ^= DecodedFrame[i];
    if (x != 0) {
        ErrorCode = LinkError::Checksum;
        return false;
    }
    return true;
}

bool TComms::AddressOk() {
    if (DecodedFrame[0] != packet::ADDRESS) {
        ErrorCode = LinkError::Address;
        return false;
    }
    return true;
}

bool TComms::ReplyOk() {
    return ChecksumOk() && AddressOk();
}

// ---- protocol ----

bool TComms::IsAck() const {
    if (Phase == LinkPhase::Identity) {
        return DecodedFrame[1] == packet::IDENTITY && (DecodedFrame[2] & ~ModelMask) == 0 &&
               static_cast<int32_t>(DecodedFrame[3]) >= MinClass &&
               DecodedFrame[4] == packet::IDENTITY_END;
    }
    return DecodedFrame[1] == packet::ACK;
}

bool TComms::IsNak() const {
    if (Phase == LinkPhase::Identity) return !IsAck();
    return DecodedFrame[1] == packet::NAK;
}

bool TComms::SendPacket(const uint8_t* body, size_t size) {
    uint8_t frame[MaxFrameSize(16)];
    size_t length = EncodeFrame(body, size, frame);
    if (SendFrame(frame, length)) return true;
    WriteFailed();
    return false;
}

// Before the unit has answered, a port that takes no bytes is no port to try; once it has, the
// transfer failed (a unit unplugged in the middle of a download), and no other port holds it.
void TComms::WriteFailed() {
    Finish(LinkError::Transfer,
           Phase == LinkPhase::Presence ? msg::NoPort : msg::TransferNoResponse);
}

bool TComms::SendPresenceQuery() {
    return SendPacket(packet::PresenceQuery, sizeof packet::PresenceQuery);
}
bool TComms::SendIdentityQuery() {
    return SendPacket(packet::IdentityQuery, sizeof packet::IdentityQuery);
}
bool TComms::SendSpeedCommand() {
    return SendPacket(packet::SpeedCommand, sizeof packet::SpeedCommand);
}
bool TComms::SendFileEnd() {
    return SendPacket(packet::FileEnd, sizeof packet::FileEnd);
}

bool TComms::SendBlock() {
    uint8_t body[packet::BLOCK_BODY];
    packet::BuildBlockBody(BlockNumber, BlockBuffer, body);
    uint8_t frame[1024];
    size_t length = EncodeFrame(body, sizeof body, frame);
    if (!SendFrame(frame, length)) {
        WriteFailed();
        return false;
    }
    Report(msg::InProgress);
    return true;
}

void TComms::StampMarker() {
    const int32_t first = IsLargeImage() ? 48 : 4;
    const int32_t last = IsLargeImage() ? 1023 : 511;
    uint8_t* at = nullptr;
    if (BlockNumber == first) at = BlockBuffer;
    if (BlockNumber == last) at = BlockBuffer + 252;
    if (!at) return;
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(ImageMarker >> (8 * i));
}

int TComms::SendNextBlock() {
    if (Offset >= Size) return 1;
    std::memset(BlockBuffer, 0xFF, sizeof BlockBuffer);
    int32_t count = std::min<int32_t>(256, Size - Offset);
    std::memcpy(BlockBuffer, Image + Offset, static_cast<size_t>(count));
    BlockNumber += 1;
    Offset += count;
    StampMarker();
    return SendBlock() ? 0 : 2;
}

void TComms::StartDownload(const uint8_t* image, int32_t size, uint32_t modelMask,
                           int32_t minClass) {
    ImageMarker = NextMarker();
    Offset = 0;
    Size = size;
    Image = image;
    ModelMask = modelMask;
    MinClass = minClass;
    RetryCount = 1;
    Phase = LinkPhase::Presence;
    State = LinkState::Running;
    ErrorCode = LinkError::None;
    Report(msg::Wait);
    if (!IsOpen()) {
        State = LinkState::Idle;
        ErrorCode = LinkError::PortClosed;
        Report(msg::NoPort);
        return;
    }
    if (SendPresenceQuery()) TimerObject->SetEnabled(true);
}

void TComms::Tick(PollTimer* sender) {
    if (sender != TimerObject.get()) return;
    TimerObject->SetEnabled(false);
    try {
        switch (State) {
            case LinkState::Running:
                Poll();
                break;
            case LinkState::Finished:
                State = LinkState::Idle;
                BlockNumber = 0;
                break;
            case LinkState::Idle:
                break;
        }
    } catch (...) {
        TimerObject->SetEnabled(State != LinkState::Idle);
        throw;
    }
    TimerObject->SetEnabled(State != LinkState::Idle);
}

void TComms::Stop() {
    TimerObject->SetEnabled(false);
    State = LinkState::Idle;
    BlockNumber = 0;
    if (IsOpen()) PortObject->Close();
}

void TComms::Poll() {
    bool ack = false;
    bool nak = false;
    ReadLineStatus();
    if (LineOk()) {
        ReadFrame();
        if (FrameOk()) {
            DecodeFrame();
            if (ReplyOk()) {
                ack = IsAck();
                nak = IsNak();
            }
        }
    }

    if (ack) {
        RetryCount = 1;
        switch (Phase) {
            case LinkPhase::Presence:
                SendPresenceQuery();
                break;
            case LinkPhase::Identity:
                if (SendSpeedCommand()) Phase = LinkPhase::Speed;
                break;
            case LinkPhase::Speed: {
                SetBaud(38400);
                SetInterval(IsLargeImage() ? 80 : 200);
                BlockNumber = -1;
                int result = SendNextBlock();
                if (result == 0) {
                    Phase = LinkPhase::Blocks;
                } else if (result == 1) {
                    Phase = LinkPhase::FileEnd;
                    SendFileEnd();
                }
                break;
            }
            case LinkPhase::Blocks:
                if (SendNextBlock() == 1) {
                    Phase = LinkPhase::FileEnd;
                    SendFileEnd();
                }
                break;
            case LinkPhase::FileEnd:
                Finish(LinkError::None, msg::Complete);
                break;
        }
        return;
    }

    RetryCount += 1;
    if (nak && Phase == LinkPhase::Presence) {
        if (SendIdentityQuery()) Phase = LinkPhase::Identity;
        return;
    }
    const bool testing = Phase == LinkPhase::Presence || Phase == LinkPhase::Identity;
    if (RetryCount <= (testing ? 3 : 8)) {
        switch (Phase) {
            case LinkPhase::Presence:
                SendPresenceQuery();
                break;
            case LinkPhase::Identity:
                SendIdentityQuery();
                break;
            case LinkPhase::Speed:
                if (SendSpeedCommand() && RetryCount == 3) SetBaud(38400);
                break;
            case LinkPhase::Blocks:
                SendBlock();
                break;
            case LinkPhase::FileEnd:
                SendFileEnd();
                break;
        }
        return;
    }
    if (nak && Phase == LinkPhase::Identity) {
        Finish(LinkError::Transfer, msg::Incompatible);
    } else if (nak) {
        Finish(LinkError::Transfer, msg::NakResponse);
    } else if (Phase == LinkPhase::Presence) {
        Finish(LinkError::Transfer, msg::NoResponse);
    } else {
        Finish(LinkError::Transfer, msg::TransferNoResponse);
    }
}

}  // namespace kv::link
