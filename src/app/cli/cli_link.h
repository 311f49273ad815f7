#pragma once

#include "core/link_session.h"
#include "core/monitor_sink.h"
#include "core/param_image.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace quorvel::cli {

enum class Transfer : std::uint8_t { Read, Verify, Program };

// What a transfer does with the unit's memory besides the image.
struct TransferHooks {
    // Program: given what the unit holds before it is programmed (read first when needed);
    // false stops before anything is programmed. Unset: program at once.
    LinkSession::UnitBackup backupBeforeProgram;
    // Read: told the 20 blocks as the unit sent them, before the image is sanitised.
    LinkSession::ReadObserver afterRead;
};

struct TransferOutcome {
    bool agreed = false;    // the unit and the image agree at the end
    bool readWhole = false; // a read stored every block, whatever its verify pass found
};

// Runs one transfer with the unit on `device`, the link session driven every 55 ms, with the
// status line on `err`.
[[nodiscard]] TransferOutcome runTransfer(Transfer transfer, const std::string& device, ParamImage& image,
                                          std::ostream& err, const TransferHooks& hooks = {});

// Prints each accepted monitor frame as the window's texts by label name, one block (or one JSON
// object per line) per frame. False when the unit never answered.
[[nodiscard]] bool runMonitor(const std::string& device, int frames, bool json, const ParamImage& image,
                              std::ostream& out, std::ostream& err);

// Keeps the link with the unit on `device` running every 55 ms with `monitor` as its monitor
// sink, asking for live data on every tick when `fastMonitor` is set, until `done` says so after
// a tick. False when the port does not open.
[[nodiscard]] bool runMonitorLink(const std::string& device, const ParamImage& image, MonitorSink& monitor,
                                  bool fastMonitor, const std::function<bool(const LinkSession&)>& done,
                                  std::ostream& err);

} // namespace quorvel::cli
