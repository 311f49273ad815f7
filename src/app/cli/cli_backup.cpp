#include "app/cli/cli_backup.h"

#include "core/text_format.h"
#include "io/app_settings.h"
#include "io/atomic_file.h"
#include "io/ini_file.h"
#include "io/raw_image_file.h"
#include "io/settings_store.h"
#include "texts/compare_texts.h"

namespace quorvel::cli {
namespace {

std::string englishText(std::string_view key)
{
    return std::string(CompareTexts::text(key, Language::English).value_or(key));
}

int backupsKept()
{
    AppSettings settings;
    if (const auto text =
            readWholeFile(SettingsStore(SettingsStore::defaultDirectory()).settingsPath(), kSettingsFileLimit))
        loadSettings(IniFile::parse(*text), settings);
    return settings.backupsKept;
}

} // namespace

std::filesystem::path rawImagePathBeside(const std::filesystem::path& out)
{
    std::filesystem::path raw = out;
    if (raw.extension() == ".ign")
        raw.replace_extension();
    raw += ".raw.ign";
    return raw;
}

std::optional<std::string> keepRawImage(const std::filesystem::path& out, const UnitCopy::RawBytes& raw)
{
    return writeFileAtomically(rawImagePathBeside(out), writeRawImageFile(raw));
}

BackupStore backupStoreFor(const Arguments& args)
{
    const auto directory = args.option("--backup-dir");
    return BackupStore(directory ? std::filesystem::path(*directory) : BackupStore::defaultDirectory(), backupsKept());
}

LinkSession::UnitBackup backupBeforeProgram(BackupStore store, std::ostream& err)
{
    return [store = std::move(store), &err](const UnitCopy& unit) {
        const BackupWrite written = store.write(unit.rawBytes(), BackupReason::Program, BackupTime::now());
        if (!written.written()) {
            err << formatText(englishText("BackupWriteFailed"), written.error->c_str()) << '\n'
                << "Nothing was programmed; --no-backup programs without a backup.\n";
            return false;
        }
        err << formatText(englishText("BackupSaved"), written.path.string().c_str()) << '\n';
        return true;
    };
}

} // namespace quorvel::cli
