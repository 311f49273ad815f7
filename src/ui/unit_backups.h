#pragma once

#include "core/link_session.h"
#include "core/message_texts.h"
#include "io/backup_store.h"
#include "model/injection_tables.h"

#include <functional>

class QWidget;

namespace quorvel {

class Dialogs;

// The unit's tune is never lost: every Read keeps what the unit sent, and Program first keeps
// what the unit holds (reading it first when this connection has not), in the backups folder.
// "Restore backup..." opens one of them as a parameter set.
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
    void restore();

    [[nodiscard]] const BackupStore& store() const { return m_store; }

private:
    [[nodiscard]] std::string text(std::string_view key) const;
    void keepRead(const UnitCopy& unit);

    Parts m_parts;
    BackupStore m_store;
};

} // namespace quorvel
