#pragma once

#include "core/link_display.h"
#include "core/link_frame.h"
#include "core/link_host.h"
#include "core/message_queue.h"
#include "core/message_texts.h"
#include "core/monitor_sink.h"
#include "core/param_image.h"
#include "core/serial_port.h"
#include "core/unit_copy.h"

#include <cstdint>
#include <functional>

namespace quorvel {

// Moves the parameter image between the PC and the unit: Read (followed by a verify pass),
// Verify, and Program (followed by a verify pass while VerifyAfterProgram is set); between
// transfers it polls the unit for monitor data and watches the connection.
//
// Nothing here runs by itself: tick() is called every 55 ms by the window's timer (or by a test,
// which never sleeps), and the commands by menu items and buttons. No command sends a frame: the
// first frame of a transfer leaves from the tick within 6 ticks, on the very next tick when no
// request is waiting for its reply (a port just opened, or the last monitor frame came in).
//
// A modal message raised in a tick (another unit program version) is shown through the host as
// the tick's last step, once its work is done. The host may show it with a nested event loop in
// which ticks continue: those ticks run on a session that is in the middle of nothing, and what
// they raise is shown after the open box has closed, never in a box on top of it.
class LinkSession {
public:
    static constexpr int kResendInterval = 6;   // ticks between transmissions of one request
    static constexpr int kMaxTransmissions = 5; // the sixth timeout ends the transfer
    static constexpr int kMessageTicks = 200;   // how long a status message stays
    static constexpr int kDisconnectedSilence = 24;
    static constexpr int kStartSilence = 18;
    static constexpr int kSavingFullScale = 5782;
    static constexpr int kLastBlock = kBlockCount - 1;

    // Numbers of the texts in the current language.
    static constexpr int kTextProgramError = 5;
    static constexpr int kTextVerifyError = 6;
    static constexpr int kTextReadError = 7;
    static constexpr int kTextProgramDevice = 8;
    static constexpr int kTextVersionMismatch = 9;
    static constexpr int kTextVerify = 10;
    static constexpr int kTextRead = 11;
    static constexpr int kTextSaving = 40;

    LinkSession(ParamImage& image, SerialPort& port, LinkHost& host, MonitorSink& monitor, const MessageTexts& texts);
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    // The commands. A command given during a transfer takes over from it.
    void read();
    void verify();
    void program();
    // Programs the pending blocks, lowest first; nothing when none is pending. Also run after
    // a change while "program at once after a change" is ticked.
    void startProgramming();

    // What the unit holds as this connection has seen it. Every accepted reply is kept as it
    // arrived; a block being programmed is unknown until its echo comes back; everything is
    // forgotten when the unit falls silent, since another unit may answer next.
    [[nodiscard]] const UnitCopy& unitCopy() const { return m_unitCopy; }
    // Another port was chosen: whatever answers there is another unit.
    void forgetUnitCopy() { m_unitCopy.forgetAll(); }

    // Told once the 20 blocks of a Read have arrived, before the image is sanitised: what the
    // unit sent, for the automatic backup. The transfer goes on after it (the verify pass), so
    // it must not wait for the user: a failure is shown afterwards.
    using ReadObserver = std::function<void(const UnitCopy&)>;
    void setReadObserver(ReadObserver observer) { m_readObserver = std::move(observer); }

    // Program (all blocks, or only the pending ones as after a change) once `backup` has been
    // given what the unit holds; it answers whether programming may go on, and may ask the user
    // (the session is Idle meanwhile). When this connection has not seen blocks 1..19, they are
    // read first into the unit copy only: the image, its file name and its header stay as they
    // are. A failed read programs nothing.
    using UnitBackup = std::function<bool(const UnitCopy&)>;
    enum class ProgramScope : std::uint8_t { AllBlocks, PendingBlocks };
    void programWithBackup(UnitBackup backup, ProgramScope scope = ProgramScope::AllBlocks);
    [[nodiscard]] bool readingForBackup() const { return static_cast<bool>(m_pendingBackup); }

    // One 55 ms tick: poll the port and handle a received frame; advance the transfer or send
    // a monitor request; count the status message down; watch the connection; refresh the
    // monitor panel; show the messages the tick raised.
    void tick();
    // A received frame whose byte 0 is not 0xB0.
    void handleLinkReply(FrameBytes frame);

    // A file command or the defaults hide the status line and the progress bar of the last
    // transfer at once; a later command shows them again.
    void hideTransferMessage();

    // A notice of the window (the date and time of a print) in the status line for `ticks`
    // ticks, without the progress bar and without "No Connection" on top of it.
    void showNotice(std::string_view text, ColourRole colour, std::uint16_t ticks);

    // Fast logging: while idle a monitor request goes out on every tick instead of every sixth.
    // A request and its reply take 2 x 26.4 ms at 57600 baud, so the line carries one exchange
    // per 55 ms tick. Off by default.
    void setFastMonitor(bool on) { m_fastMonitor = on; }
    [[nodiscard]] bool fastMonitor() const { return m_fastMonitor; }

    // While printing, "No Connection" is not put on the page being printed.
    void setPrinting(bool printing) { m_printing = printing; }

    [[nodiscard]] const LinkDisplay& display() const { return m_display; }
    [[nodiscard]] LinkMode mode() const { return m_mode; }
    [[nodiscard]] std::uint8_t currentCommand() const { return m_currentCommand; }
    [[nodiscard]] bool programmingDone() const { return m_programmingDone; }
    // The last transfer ended in its error or on the header of another unit program; false while
    // one runs. The status line may already tell the unit's storing instead of an "OK".
    [[nodiscard]] bool lastTransferFailed() const { return m_transferFailed; }
    [[nodiscard]] std::uint16_t savingCountdown() const { return m_savingCountdown; }
    [[nodiscard]] std::uint16_t silenceTicks() const { return m_silenceTicks; }
    [[nodiscard]] std::uint16_t messageHold() const { return m_messageHold; }

private:
    void handleMonitorFrame(FrameBytes frame);
    void handleReadReply(int block, BlockBytes payload);
    void handleBackupReadReply(int block, BlockBytes payload);
    void requestNextReadBlock();
    void handleVerifyReply(int block, BlockBytes payload);
    void handleProgramReply(int block, BlockBytes payload);
    // The modal message for a header that names another unit program; the transfer is over.
    void reportVersionMismatch(BlockBytes header);

    void startRead();
    void finishBackupRead();
    void programAfterBackup(const UnitBackup& backup, ProgramScope scope);

    void advanceTransfer();
    void advanceIdle();
    void countDownMessage();
    // A red message of a failed transfer is on screen and still held.
    [[nodiscard]] bool failureHeld() const;
    void watchConnection();

    void sendBlockFrame();
    void sendMonitorRequest();
    // A new transfer: its first frame goes out on the next tick unless a reply is still awaited.
    void startTransferTicks();
    void startVerifyPass();
    void failTransfer();
    void showStatus(int textNumber, ColourRole colour, std::string_view suffix = {});
    void setProgress(int progress);

    ParamImage& m_image;
    SerialPort& m_port;
    LinkHost& m_host;
    MonitorSink& m_monitor;
    const MessageTexts& m_texts;

    LinkMode m_mode = LinkMode::Idle;
    std::uint8_t m_currentCommand = 0;
    std::uint16_t m_resendTicks = 0;
    std::uint16_t m_tryCount = 0;
    std::uint16_t m_messageHold = 0;
    std::uint16_t m_silenceTicks = kStartSilence;
    std::uint16_t m_savingCountdown = 0;
    bool m_programmingDone = false;
    bool m_transferFailed = false;
    bool m_printing = false;
    bool m_fastMonitor = false;
    bool m_replyAwaited = false; // a frame went out and no frame was accepted since
    LinkDisplay m_display;
    MessageQueue m_messages; // raised in the tick, shown at its end
    UnitCopy m_unitCopy;
    ReadObserver m_readObserver;
    UnitBackup m_pendingBackup; // set while a Read runs for the backup before programming
    ProgramScope m_backupScope = ProgramScope::AllBlocks;
};

} // namespace quorvel
