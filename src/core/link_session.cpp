#include "core/link_session.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace quorvel {
namespace {

constexpr std::uint8_t kReadFirstCommand = kReadFlag;        // 0x40: the header
constexpr std::uint8_t kVerifyFirstCommand = kReadFlag | 1U; // 0x41: block 1
constexpr std::string_view kOkSuffix = " OK";

} // namespace

LinkSession::LinkSession(ParamImage& image, SerialPort& port, LinkHost& host, MonitorSink& monitor,
                         const MessageTexts& texts)
    : m_image(image)
    , m_port(port)
    , m_host(host)
    , m_monitor(monitor)
    , m_texts(texts)
{
}

void LinkSession::read()
{
    m_pendingBackup = nullptr;
    startRead();
    m_host.clearFileName();
}

void LinkSession::startRead()
{
    m_mode = LinkMode::Read;
    m_currentCommand = kReadFirstCommand;
    m_tryCount = 0;
    startTransferTicks();
    showStatus(kTextRead, ColourRole::NormalFace);
    setProgress(0);
    m_display.progressVisible = true;
    m_programmingDone = false;
}

void LinkSession::programWithBackup(UnitBackup backup, ProgramScope scope)
{
    if (m_unitCopy.knowsParameters()) {
        m_pendingBackup = nullptr;
        programAfterBackup(backup, scope);
        return;
    }
    m_pendingBackup = std::move(backup);
    m_backupScope = scope;
    startRead();
}

void LinkSession::programAfterBackup(const UnitBackup& backup, ProgramScope scope)
{
    if (!backup(m_unitCopy))
        return;
    if (scope == ProgramScope::AllBlocks)
        program();
    else
        startProgramming();
}

void LinkSession::finishBackupRead()
{
    // The session is Idle and consistent before the host is asked: it may ask the user with a
    // nested event loop in which ticks go on.
    const UnitBackup backup = std::move(m_pendingBackup);
    m_pendingBackup = nullptr;
    m_mode = LinkMode::Idle;
    setProgress(LinkDisplay::kProgressMax);
    showStatus(kTextRead, ColourRole::NormalFace, kOkSuffix);
    programAfterBackup(backup, m_backupScope);
}

void LinkSession::verify()
{
    m_pendingBackup = nullptr;
    m_host.collectPage();
    m_host.sanitiseImage();
    m_host.refillPage();
    m_mode = LinkMode::Verify;
    m_currentCommand = kVerifyFirstCommand;
    m_tryCount = 0;
    startTransferTicks();
    showStatus(kTextVerify, ColourRole::NormalFace);
    setProgress(0);
    m_display.progressVisible = true;
    m_programmingDone = false;
}

void LinkSession::program()
{
    m_host.collectPage();
    m_host.sanitiseImage();
    m_host.refillPage();
    m_image.setVerifyAfterProgram(true);
    m_image.pendingBlocks().setAll();
    startProgramming();
}

void LinkSession::startProgramming()
{
    m_pendingBackup = nullptr;
    const auto lowest = m_image.pendingBlocks().lowest();
    if (!lowest)
        return;
    m_currentCommand = static_cast<std::uint8_t>(*lowest);
    m_tryCount = 0;
    startTransferTicks();
    setProgress(*lowest);
    m_mode = LinkMode::Program;
    showStatus(kTextProgramDevice, ColourRole::NormalFace);
    m_display.progressVisible = true;
    m_programmingDone = false;
}

void LinkSession::hideTransferMessage()
{
    m_display.statusVisible = false;
    m_display.progressVisible = false;
}

void LinkSession::tick()
{
    if (const auto routed = routeReceivedChunk(m_port.pollPort())) {
        if (routed->route == FrameRoute::Monitor)
            handleMonitorFrame(routed->frame);
        else
            handleLinkReply(routed->frame);
    }
    if (m_mode == LinkMode::Idle)
        advanceIdle();
    else
        advanceTransfer();
    countDownMessage();
    watchConnection();
    m_display.versionVisible = !m_display.noConnectionVisible;
    m_host.refreshMonitorPanel();
    m_messages.deliver(m_host);
}

void LinkSession::handleMonitorFrame(FrameBytes frame)
{
    if (const auto countdown = m_monitor.decodeMonitorFrame(frame)) {
        m_silenceTicks = 0;
        m_replyAwaited = false;
        m_savingCountdown = *countdown;
    }
}

void LinkSession::handleLinkReply(FrameBytes frame)
{
    if (!acceptLinkReply(frame, m_currentCommand, m_mode))
        return;
    m_silenceTicks = 0;
    m_replyAwaited = false;
    const int block = blockOf(m_currentCommand);
    const BlockBytes payload = frame.subspan<1, kBlockSize>();
    m_unitCopy.store(block, payload);
    switch (m_mode) {
    case LinkMode::Read:
        handleReadReply(block, payload);
        break;
    case LinkMode::Verify:
        handleVerifyReply(block, payload);
        break;
    case LinkMode::Program:
        handleProgramReply(block, payload);
        break;
    case LinkMode::Idle:
        break;
    }
}

void LinkSession::handleReadReply(int block, BlockBytes payload)
{
    if (m_pendingBackup) {
        handleBackupReadReply(block, payload);
        return;
    }
    if (block == 0) {
        m_image.storeHeader(payload);
        if (payload[kHeaderVersionByte] != kProgramVersion) {
            m_mode = LinkMode::Idle;
            m_host.sanitiseImage();
            m_host.refillPage();
            reportVersionMismatch(payload);
            return;
        }
    } else {
        m_image.storeBlock(block, payload);
    }

    if (block < kLastBlock) {
        requestNextReadBlock();
        return;
    }
    if (m_readObserver)
        m_readObserver(m_unitCopy);
    m_host.sanitiseImage();
    m_host.refillPage();
    startVerifyPass();
}

void LinkSession::handleBackupReadReply(int block, BlockBytes payload)
{
    // The unit copy already holds the reply; the image is not touched.
    if (block == 0 && payload[kHeaderVersionByte] != kProgramVersion) {
        m_pendingBackup = nullptr;
        m_mode = LinkMode::Idle;
        reportVersionMismatch(payload);
        return;
    }
    if (block < kLastBlock)
        requestNextReadBlock();
    else
        finishBackupRead();
}

void LinkSession::requestNextReadBlock()
{
    ++m_currentCommand;
    setProgress(blockOf(m_currentCommand));
    m_tryCount = 1;
    sendBlockFrame();
}

void LinkSession::handleVerifyReply(int block, BlockBytes payload)
{
    // A differing block is not answered: the tick sends the same request again, and a unit that
    // keeps differing ends the pass with the error.
    if (!std::ranges::equal(payload, m_image.block(block)))
        return;
    if (block < kLastBlock) {
        ++m_currentCommand;
        setProgress(block + 1);
        m_tryCount = 1;
        sendBlockFrame();
        return;
    }
    m_image.setVerifyAfterProgram(false);
    setProgress(LinkDisplay::kProgressMax);
    showStatus(kTextVerify, ColourRole::NormalFace, kOkSuffix);
    m_mode = LinkMode::Idle;
}

void LinkSession::handleProgramReply(int block, BlockBytes payload)
{
    PendingBlocks& pending = m_image.pendingBlocks();
    if (block == 0) {
        m_image.storeHeader(payload);
        m_host.sanitiseImage();
        m_host.refillPage();
        if (payload[kHeaderVersionByte] != kProgramVersion) {
            m_mode = LinkMode::Idle;
            reportVersionMismatch(payload);
            return;
        }
    } else if (!std::ranges::equal(payload, m_image.block(block))) {
        // The block stays pending until the unit holds it: should every resend fail, the next
        // programming transfer still sends it.
        return;
    }
    pending.clear(block);

    if (const auto next = pending.lowest()) {
        m_currentCommand = static_cast<std::uint8_t>(*next);
        m_tryCount = 1;
        setProgress(*next);
        sendBlockFrame();
        return;
    }
    m_programmingDone = true;
    if (m_image.verifyAfterProgram()) {
        startVerifyPass();
        return;
    }
    setProgress(LinkDisplay::kProgressMax);
    showStatus(kTextProgramDevice, ColourRole::NormalFace, kOkSuffix);
    m_mode = LinkMode::Idle;
}

void LinkSession::reportVersionMismatch(BlockBytes header)
{
    char versions[32];
    std::snprintf(versions, sizeof versions, "  PC-%d, IGN-%d", kProgramVersion, header[kHeaderVersionByte]);
    m_messages.showMessage(std::string(m_texts.text(kTextVersionMismatch)) + versions);
    m_transferFailed = true;
    // The status line keeps its text on screen until the next message.
    m_messageHold = 0;
}

void LinkSession::advanceTransfer()
{
    if (m_mode == LinkMode::Read)
        m_programmingDone = false;
    if (++m_resendTicks < kResendInterval)
        return;
    m_resendTicks = 0;
    ++m_tryCount;
    if (m_tryCount <= kMaxTransmissions)
        sendBlockFrame();
    else
        failTransfer();
}

void LinkSession::failTransfer()
{
    switch (m_mode) {
    case LinkMode::Read:
        showStatus(kTextReadError, ColourRole::Red);
        break;
    case LinkMode::Verify:
        showStatus(kTextVerifyError, ColourRole::Red);
        m_programmingDone = false;
        break;
    case LinkMode::Program:
        showStatus(kTextProgramError, ColourRole::Red);
        break;
    case LinkMode::Idle:
        return;
    }
    m_pendingBackup = nullptr;
    m_mode = LinkMode::Idle;
    m_transferFailed = true;
}

void LinkSession::advanceIdle()
{
    if (++m_resendTicks >= (m_fastMonitor ? 1 : kResendInterval)) {
        m_resendTicks = 0;
        sendMonitorRequest();
    }
    if (m_savingCountdown > 0) {
        // A failed transfer keeps its red message for its whole hold: a failure the user never
        // saw would pass for a success, and the unit stores what it received either way.
        if (failureHeld())
            return;
        // Shown only where a message is already on screen; the unit's storing is no reason to
        // bring the status line up by itself.
        m_display.statusText = m_texts.text(kTextSaving);
        m_display.statusColour = ColourRole::NormalFace;
        m_messageHold = kMessageTicks;
        setProgress(LinkDisplay::kProgressMax * (kSavingFullScale - int{m_savingCountdown}) / kSavingFullScale);
    } else if (m_programmingDone) {
        m_display.statusText = std::string(m_texts.text(kTextProgramDevice)) + std::string(kOkSuffix);
        setProgress(LinkDisplay::kProgressMax);
    }
}

bool LinkSession::failureHeld() const
{
    return m_messageHold > 0 && m_display.statusVisible && m_display.statusColour == ColourRole::Red;
}

void LinkSession::countDownMessage()
{
    if (m_messageHold == 0)
        return;
    if (--m_messageHold == 0) {
        m_display.statusVisible = false;
        m_display.progressVisible = false;
        m_programmingDone = false;
    }
}

void LinkSession::watchConnection()
{
    if (m_silenceTicks < kDisconnectedSilence) {
        ++m_silenceTicks;
        m_display.noConnectionVisible = false;
        return;
    }
    if (!m_printing)
        m_display.noConnectionVisible = true;
    if (!m_unitCopy.knowsNothing())
        m_unitCopy.forgetAll();
    // A unit that fell silent is not known to be storing any more; its last countdown would
    // otherwise keep "Saving:" on screen for as long as it stays away.
    m_savingCountdown = 0;
    m_port.countDisconnectedTick();
}

void LinkSession::sendBlockFrame()
{
    // Until its echo arrives, what the unit holds of a block being written is not known.
    if (m_mode == LinkMode::Program && blockOf(m_currentCommand) != 0)
        m_unitCopy.forget(blockOf(m_currentCommand));
    m_resendTicks = 0;
    m_replyAwaited = true;
    m_port.writeFrame(buildBlockFrame(m_image, m_currentCommand, m_mode));
}

void LinkSession::sendMonitorRequest()
{
    m_resendTicks = 0;
    m_replyAwaited = true;
    m_port.writeFrame(buildMonitorRequest());
}

void LinkSession::startTransferTicks()
{
    m_transferFailed = false;
    // With no reply on its way the unit is not busy answering, so the request need not wait
    // for the rhythm of the monitor requests.
    if (!m_replyAwaited)
        m_resendTicks = kResendInterval - 1;
}

void LinkSession::startVerifyPass()
{
    m_mode = LinkMode::Verify;
    m_currentCommand = kVerifyFirstCommand;
    m_tryCount = 1;
    sendBlockFrame();
    showStatus(kTextVerify, ColourRole::NormalFace);
    setProgress(0);
}

void LinkSession::showStatus(int textNumber, ColourRole colour, std::string_view suffix)
{
    // Every message is put on screen, also the outcome of a transfer that outlasted the
    // previous message: a result the user cannot see is no result.
    m_display.statusText = std::string(m_texts.text(textNumber)) + std::string(suffix);
    m_display.statusColour = colour;
    m_display.statusVisible = true;
    m_messageHold = kMessageTicks;
}

void LinkSession::showNotice(std::string_view text, ColourRole colour, std::uint16_t ticks)
{
    m_display.statusText = std::string(text);
    m_display.statusColour = colour;
    m_display.statusVisible = true;
    m_display.progressVisible = false;
    m_display.noConnectionVisible = false;
    m_messageHold = ticks;
}

void LinkSession::setProgress(int progress)
{
    m_display.progress = std::clamp(progress, 0, LinkDisplay::kProgressMax);
}

} // namespace quorvel
