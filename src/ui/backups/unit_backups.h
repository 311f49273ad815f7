#pragma once

#include "core/link_session.h"
#include "core/message_texts.h"
#include "io/backup_store.h"
#include "model/injection_tables.h"

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace quorvel {

class Dialogs;

// The unit's tune is never lost: every Read keeps what the unit sent, Program first keeps what
// the unit holds (reading it first when this connection has not), and so does the first write
// of a connection with "Programming after change", in the backups folder. "Restore backup..."
// opens one of them as a parameter set.
class UnitBackups {
public:
    struct Parts {
        LinkSession& session;
        ParamImage& image;
        InjectionTables& tables;
        Dialogs& dialogs;
        QWidget& window;
        std::function<Language()> language;
        std::function<void()> opened; // a backup became the image: as after Open
    };

    UnitBackups(Parts parts, std::filesystem::path folder, int kept);

    // Program and ButtonProgram: the backup, then programming of all blocks. A backup that cannot
    // be written is reported, and the user decides whether to program without it.
    void program();
    // "Programming after change", after an edit, an undo or a redo: the pending blocks. The first
    // write of a connection keeps the unit's tune first, as Program does; later writes of the
    // same connection need no new backup.
    void programPending();
    void restore();

    [[nodiscard]] const BackupStore& store() const { return m_store; }

private:
    [[nodiscard]] std::string text(std::string_view key) const;
    void keepRead(const UnitCopy& unit);
    // Keeps what the unit holds before programming; whether programming may go on.
    bool keepBeforeProgram(const UnitCopy& unit);

    Parts m_parts;
    BackupStore m_store;
    std::optional<std::uint32_t> m_keptConnection; // the connection whose unit is kept already
};

} // namespace quorvel
