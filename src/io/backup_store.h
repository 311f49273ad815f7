#pragma once

#include "core/image_constants.h"
#include "core/param_image.h"
#include "io/parameter_set.h"
#include "model/injection_tables.h"

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvel {

// Why the unit's parameters were kept: a Read, or what the unit held before it was programmed.
enum class BackupReason : std::uint8_t { Read, Program };

// The local date and time a backup's file name carries.
struct BackupTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    [[nodiscard]] static BackupTime now();
    auto operator<=>(const BackupTime&) const = default;
};

struct BackupEntry {
    std::filesystem::path path;
    BackupTime time;
    int bike = 0;
    BackupReason reason = BackupReason::Read;
    std::string memo;               // as stored; shown with the code page of the language
    std::optional<int> differences; // parameters and cells that differ from the image compared with
    [[nodiscard]] bool readable() const { return differences.has_value(); }
};

struct BackupWrite {
    std::filesystem::path path;
    std::optional<std::string> error; // why nothing could be written; the folder is as it was

    [[nodiscard]] bool written() const { return !error; }
};

// The backups folder: every Read keeps what the unit sent and every Program what the unit held
// before, each as a file "2026-12-09_14-03-22_bike11_read.ign" (date, time, bike code, reason)
// that opens like any parameter file and gives the unit's bytes back exactly
// (raw_image_file.h). A name is never taken twice: a backup of the same second, from this
// program or another one sharing the folder, gets the next number. The folder keeps the newest
// `kept` backups, newest by the order in which the folder received them (each backup carries
// its place in it), not by the time in their names, which a clock set back would turn around;
// backups from before that order count as older than all others. Files of other names in the
// folder are never touched.
class BackupStore {
public:
    static constexpr int kDefaultKept = 200;

    explicit BackupStore(std::filesystem::path directory, int kept = kDefaultKept);
    // $XDG_DATA_HOME/quorvel/backups, else ~/.local/share/quorvel/backups; on Windows
    // %LOCALAPPDATA%\quorvel\backups.
    [[nodiscard]] static std::filesystem::path defaultDirectory();
    [[nodiscard]] const std::filesystem::path& directory() const { return m_directory; }

    // Writes the 20 blocks of a unit as received as a new backup (the folder is created when
    // missing), then removes the oldest backups beyond the number kept, never the new one.
    [[nodiscard]] BackupWrite write(std::span<const std::uint8_t, kImageSize> raw, BackupReason reason,
                                    const BackupTime& time) const;

    // Every backup of the folder, newest first, with its memo and the number of parameters and
    // cells in which it differs from `image` (none for a file that no longer loads).
    [[nodiscard]] std::vector<BackupEntry> list(const ParamImage& image, const InjectionTables& tables) const;

private:
    struct Named {
        std::filesystem::path path;
        BackupTime time;
        int bike = 0;
        BackupReason reason = BackupReason::Read;
        int sequence = 0;        // 1 for the first backup of a name, then 2, 3 ... within one second
        std::uint32_t order = 0; // its place in the order the folder received them; 0 before that
    };
    [[nodiscard]] std::vector<Named> backups() const; // oldest first, by order
    void prune(const std::filesystem::path& keep) const;

    std::filesystem::path m_directory;
    int m_kept;
};

// Opens a backup as a parameter set, the way Open does: the image then holds blocks 1..19 as
// the unit held them. The window goes on as after Open (afterChange). A backup that is gone
// since the list was made tells why in the result.
[[nodiscard]] FileLoad restoreBackup(const BackupEntry& backup, ParamImage& image, InjectionTables& tables);

} // namespace quorvel
