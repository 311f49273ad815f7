#pragma once

#include "app/cli/cli_args.h"
#include "core/link_session.h"
#include "core/unit_copy.h"
#include "io/backup_store.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace quorvel::cli {

// The file `read` keeps the unit's bytes in as they came, beside the parameter file it writes:
// OUT.ign gets OUT.raw.ign (any other name gets ".raw.ign" appended).
[[nodiscard]] std::filesystem::path rawImagePathBeside(const std::filesystem::path& out);
// Writes it; the reason when it could not be written.
[[nodiscard]] std::optional<std::string> keepRawImage(const std::filesystem::path& out, const UnitCopy::RawBytes& raw);

// The backups folder of `program`: --backup-dir DIR, else the program's data folder, keeping as
// many backups as the settings file says.
[[nodiscard]] BackupStore backupStoreFor(const Arguments& args);

// The hook that keeps what the unit holds in `store` before it is programmed. A backup that
// cannot be written is reported on `err` and nothing is programmed (--no-backup programs
// without one).
[[nodiscard]] LinkSession::UnitBackup backupBeforeProgram(BackupStore store, std::ostream& err);

} // namespace quorvel::cli
