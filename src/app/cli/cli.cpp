#include "app/cli/cli.h"

#include "app/cli/cli_args.h"
#include "app/cli/cli_backup.h"
#include "app/cli/cli_diff.h"
#include "app/cli/cli_link.h"
#include "app/cli/log_cells_command.h"
#include "app/cli/map_export_command.h"
#include "app/cli/map_import_command.h"
#include "app/cli/monitor_log_command.h"
#include "app/cli/parameter_listing.h"
#include "app/cli/tune_command.h"
#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/decimal_text.h"
#include "io/file_reading.h"
#include "io/old_maps.h"
#include "io/parameter_set.h"
#include "io/service_tools.h"
#include "maps/cell_scale.h"
#include "maps/image_only_host.h"
#include "maps/tune_writer.h"
#include "model/bike_defaults.h"
#include "model/field_table.h"
#include "texts/fault_message.h"
#include "texts/language_table.h"
#include "texts/map_edit_texts.h"

#include <charconv>
#include <functional>
#include <map>
#include <new>

namespace quorvel::cli {
namespace {

constexpr int kTextOpenFileError = 26;
constexpr int kTextWrongFileVersion = 29;
constexpr int kLastBikeCode = 52;

const LanguageTable& texts()
{
    static const LanguageTable kEnglish;
    return kEnglish;
}

struct Context {
    const Arguments& args;
    std::ostream& out;
    std::ostream& err;

    int usageError(const std::string& why) const
    {
        err << "quorvel-cli: " << why << "\n\n" << usage();
        return kExitBadInput;
    }
    int message(int textNumber, const std::string& detail = {}) const
    {
        err << texts().text(textNumber);
        if (!detail.empty())
            err << " (" << detail << ")";
        err << '\n';
        return kExitBadInput;
    }
};

std::optional<int> parseInt(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Loads a parameter file as Open does; the exit code when it cannot be used.
std::optional<int> load(const Context& c, const std::string& path, ParamImage& image, InjectionTables& tables)
{
    const FileLoad load = loadParameterFile(path, image, tables);
    switch (load.result) {
    case LoadResult::Loaded:
        return std::nullopt;
    case LoadResult::CannotOpen:
        return c.message(kTextOpenFileError, load.reason);
    case LoadResult::WrongVersion:
        return c.message(kTextWrongFileVersion, path);
    }
    return kExitBadInput;
}

int save(const Context& c, const std::string& path, ParamImage& image)
{
    if (const auto error = saveParameterFile(path, image))
        return c.message(kTextOpenFileError, *error);
    return kExitOk;
}

std::optional<std::string> outputPath(const Context& c)
{
    if (auto path = c.args.option("-o"))
        return path;
    return c.args.option("--output");
}

int commandNew(const Context& c)
{
    const auto bike = c.args.option("--bike");
    const auto out = outputPath(c);
    const auto code = bike ? parseInt(*bike) : std::nullopt;
    if (!code || *code < 0 || *code > kLastBikeCode || !out)
        return c.usageError("new needs --bike 0..52 and -o OUT.ign");
    ParamImage image;
    InjectionTables tables;
    image.setByte(150, static_cast<std::uint8_t>(*code));
    applyDefaults(image, tables, DefaultsRun{});
    return save(c, *out, image);
}

int commandShow(const Context& c)
{
    if (c.args.positional().size() != 2)
        return c.usageError("show needs one FILE.ign");
    ParamImage image;
    InjectionTables tables;
    if (const auto failed = load(c, c.args.positional()[1], image, tables))
        return *failed;
    if (c.args.flag("--json"))
        c.out << parametersAsJson(image, tables).dump(2) << '\n';
    else
        c.out << listParameters(image, tables);
    return kExitOk;
}

// NAME=VALUE or NAME[INDEX]=VALUE, in shown units, through the writer of the tune as the
// window's fields take it: a value outside the field's range is refused with the range named; a
// value between two the field holds is stored as the nearest, and said so.
int applyAssignment(const Context& c, const std::string& assignment, TuneWriter& writer)
{
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
        return c.usageError("expected NAME=VALUE, got " + assignment);
    std::string name = assignment.substr(0, equals);
    int element = 0;
    if (const auto bracket = name.find('['); bracket != std::string::npos && name.back() == ']') {
        const auto index = parseInt(name.substr(bracket + 1, name.size() - bracket - 2));
        if (!index)
            return c.usageError("bad index in " + name);
        element = *index;
        name.resize(bracket);
    }
    const Field* field = FieldTable::byName(name);
    if (field == nullptr || field->form == FieldForm::Text)
        return c.usageError("no parameter named " + name);
    const DecimalRead value = readDecimal(assignment.substr(equals + 1), DecimalMark::Point);
    if (value.fault != NumberFault::None)
        return c.usageError("not a number: " + assignment);
    if (element < 0 || element >= field->count)
        return c.usageError(name + " has elements 0.." + std::to_string(field->count - 1));
    const FieldWrite written = writer.writeField(*field, element, value.number);
    if (written.refusal) {
        c.err << "quorvel-cli: " << mapEditText(*written.refusal, Language::English) << '\n';
        return kExitBadInput;
    }
    if (written.rounded) {
        const MapEditStatus note{MapEditMessage::FieldRounded,
                                 0,
                                 0,
                                 {assignment.substr(0, equals),
                                  valueText(value.number.numerator, value.number.denominator),
                                  std::to_string(written.stored)}};
        c.err << "quorvel-cli: " << mapEditText(note, Language::English) << '\n';
    }
    return kExitOk;
}

int commandSet(const Context& c)
{
    const auto& words = c.args.positional();
    const auto out = outputPath(c);
    if (words.size() < 3 || !out)
        return c.usageError("set needs FILE.ign NAME=VALUE... -o OUT.ign");
    ParamImage image;
    InjectionTables tables;
    if (const auto failed = load(c, words[1], image, tables))
        return *failed;
    ImageOnlyHost host(image);
    TuneWriter writer(image, tables, host);
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (const int code = applyAssignment(c, words[i], writer); code != kExitOk)
            return code;
    }
    return save(c, *out, image);
}

int commandTransfer(const Context& c, Transfer transfer)
{
    const auto device = c.args.option("--port");
    const auto& words = c.args.positional();
    ParamImage image;
    InjectionTables tables;
    TransferHooks hooks;
    if (transfer == Transfer::Read) {
        const auto out = outputPath(c);
        if (!device || !out || words.size() != 1)
            return c.usageError("read needs --port DEV -o OUT.ign");
        std::optional<UnitCopy::RawBytes> received;
        hooks.afterRead = [&received](const UnitCopy& unit) { received = unit.rawBytes(); };
        const TransferOutcome read = runTransfer(transfer, *device, image, c.err, hooks);
        // What the unit sent is kept even when its verify pass fails: then it is all there is.
        bool rawKept = true;
        if (received) {
            if (const auto error = keepRawImage(*out, *received)) {
                (void)c.message(kTextOpenFileError, *error);
                rawKept = false;
            }
        }
        if (!read.readWhole)
            return kExitFailed;
        // What was read is the user's tune: kept even when the verify pass failed or the raw
        // copy beside it could not be written.
        if (const int saved = save(c, *out, image); saved != kExitOk)
            return saved;
        if (!read.agreed)
            return kExitFailed;
        if (!rawKept) {
            c.err << "quorvel-cli: the parameters were saved in " << *out << ", the unit's raw bytes were not\n";
            return kExitBadInput;
        }
        return kExitOk;
    }
    if (!device || words.size() != 2)
        return c.usageError(words[0] + " needs --port DEV FILE.ign");
    if (const auto failed = load(c, words[1], image, tables))
        return *failed;
    if (transfer == Transfer::Program && !c.args.flag("--no-backup"))
        hooks.backupBeforeProgram = backupBeforeProgram(backupStoreFor(c.args), c.err);
    return runTransfer(transfer, *device, image, c.err, hooks).agreed ? kExitOk : kExitFailed;
}

int commandMonitor(const Context& c)
{
    if (c.args.option("--csv"))
        return recordMonitorLog(c.args, c.out, c.err);
    const auto device = c.args.option("--port");
    const auto frames = parseInt(c.args.option("--frames").value_or("10"));
    if (!device || !frames || *frames < 1)
        return c.usageError("monitor needs --port DEV [--frames N]");
    ParamImage image;
    InjectionTables tables;
    image.setByte(150, 11);
    applyDefaults(image, tables, DefaultsRun{});
    if (const auto file = c.args.option("--file")) {
        if (const auto failed = load(c, *file, image, tables))
            return *failed;
    }
    return runMonitor(*device, *frames, c.args.flag("--json"), image, c.out, c.err) ? kExitOk : kExitFailed;
}

int commandSaveAllNew(const Context& c)
{
    int failures = 0;
    for (const SavedBikeFile& file : saveAllNew(ParamImage{}, kNewIgnDirectory)) {
        if (file.error) {
            c.message(kTextOpenFileError, *file.error);
            ++failures;
        }
    }
    return failures == 0 ? kExitOk : kExitFailed;
}

int commandCompareAll(const Context& c)
{
    const std::string report = compareAllNew(kNewIgnDirectory, kOldIgnDirectory);
    const auto path = kNewIgnDirectory / kCompareReportName;
    // A report that cannot be written is an error, not a result in a file that does not exist.
    if (const auto error = writeFileAtomically(path, report))
        return c.message(kTextOpenFileError, *error);
    c.out << "Results in file \".\\new_ign\\compare_all_new.txt\"\n";
    return report.find("....line:") == std::string::npos && report.find("!!!!") == std::string::npos ? kExitOk
                                                                                                     : kExitFailed;
}

int commandImportOldMaps(const Context& c)
{
    const auto& words = c.args.positional();
    const auto into = c.args.option("--into");
    const auto out = outputPath(c);
    if (words.size() != 2 || !into || !out)
        return c.usageError("import-old-maps needs OLD --into FILE.ign -o OUT.ign");
    ParamImage image;
    InjectionTables tables;
    if (const auto failed = load(c, *into, image, tables))
        return *failed;
    const FileRead old = readFileWithin(words[1], kParameterFileLimit);
    if (!old.bytes)
        return c.message(kTextOpenFileError, old.reason);
    readOldMaps(*old.bytes, image, tables, {});
    return save(c, *out, image);
}

int commandExportPercent(const Context& c)
{
    const auto& words = c.args.positional();
    const auto out = outputPath(c);
    if (words.size() != 2 || !out)
        return c.usageError("export-percent needs FILE.ign -o OUT.txt");
    ParamImage image;
    InjectionTables tables;
    if (const auto failed = load(c, words[1], image, tables))
        return *failed;
    OutsideSettings unused;
    (void)sanitiseImage(image, unused);
    if (const auto error = writeFileAtomically(*out, percentExport(image, tables)))
        return c.message(kTextOpenFileError, *error);
    return kExitOk;
}

} // namespace

std::string usage()
{
    return "Usage: quorvel-cli COMMAND [ARGUMENTS]\n"
           "The configurator without windows: parameter files, the unit over a serial port, and the\n"
           "service tools. Exit code 0 on success, 1 when the unit or a comparison fails, 2 on bad\n"
           "usage or a bad file.\n"
           "\n"
           "Files:\n"
           "  new --bike CODE -o OUT.ign             the full defaults of bike CODE (0..52)\n"
           "  show FILE.ign [--json]                 every parameter, axis and map in shown units\n"
           "  set FILE.ign NAME=VALUE... -o OUT.ign  change parameters (NAME[i]=VALUE for a row), then\n"
           "                                         save; a value outside the field's range is refused\n"
           "                                         (exit 2), one between two the unit holds is stored\n"
           "                                         as the nearest and said so\n"
           "  diff A.ign B.ign [--json]              every parameter and map cell in which B differs\n"
           "                                         from A, in shown units; exit 1 when they differ\n"
           "The unit (DEV is a serial device, e.g. /dev/ttyUSB0, or the path quorvel-sim prints):\n"
           "  read --port DEV -o OUT.ign             read the unit, verify, save; OUT.raw.ign beside it\n"
           "                                         keeps the unit's bytes exactly as they came\n"
           "  verify --port DEV FILE.ign             compare the unit with a file\n"
           "  program --port DEV FILE.ign [--no-backup] [--backup-dir DIR]\n"
           "                                         keep what the unit holds in the backups folder\n"
           "                                         (reading it first), program the file, verify\n"
           "  monitor --port DEV [--frames N] [--json] [--file FILE.ign]\n"
           "                                         live data as the window shows it, by label\n"
           "  monitor --port DEV --csv OUT.csv [--seconds N] [--frames N] [--fast] [--file FILE.ign] [--map NAME]\n"
           "                                         record a datalog until N seconds or rows, or Ctrl+C;\n"
           "                                         --fast asks on every tick, the rows carry the cell of\n"
           "                                         map NAME (JET_1A) of the file or the start bike\n"
           "  tune --port DEV --map NAME [--seconds N] [--passes K] [--apply] [--json] [-o OUT.ign]\n"
           "       [--config-dir DIR] [--backup-dir DIR] [--no-backup]\n"
           "                                         live tuning of injection map NAME (JET_1A..JET_4A,\n"
           "                                         IAP) by the unit's Tuning fields: K passes (1) of N\n"
           "                                         seconds (30), per cell samples, held time, mean\n"
           "                                         lambda, reading and change; --apply programs each\n"
           "                                         pass's changes (backup first) and verifies; exit 1\n"
           "                                         when the checks before it fail, with the reasons,\n"
           "                                         or on a link fault, failed verify or a cell at its\n"
           "                                         limit; cells locked in the tuning locks file of the\n"
           "                                         settings folder never change; -o saves the result\n"
           "Datalogs:\n"
           "  log-cells LOG.csv FILE.ign --map NAME [--json] [--min-samples N] [--threshold MV]\n"
           "                                         samples, time and mean lambda per cell of a map\n"
           "Service tools (paths relative to the working directory):\n"
           "  save-all-new                           defaults of every bike into ./new_ign/\n"
           "  compare-all                            compare ./new_ign/ with ./new_ign_old/\n"
           "  import-old-maps OLD --into FILE.ign -o OUT.ign\n"
           "  export-percent FILE.ign -o OUT.txt     injection maps as percentages\n"
           "Maps (MAP is a section key: ADVANCE, JET_1A..JET_4A, JET_B, IAP, SERVO_IN_VALUE, SERVO_EX_VALUE):\n"
           "  map-export FILE.ign MAP [--ms] -o OUT.csv\n"
           "                                         the map with its heads in the units of its page;\n"
           "                                         --ms writes an injection map's stored times in ms\n"
           "  map-import FILE.ign MAP IN.csv [--hold] -o OUT.ign\n"
           "                                         the map from such a CSV (in the page's unit or ms),\n"
           "                                         then saved; a value outside its cell's range is\n"
           "                                         refused (exit 2), or with --hold held at the range's\n"
           "                                         end and counted\n";
}

namespace {

int runCommand(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err)
{
    const Arguments args(argv, {"--json", "--help", "-h", "--no-backup", "--fast", "--hold", "--ms", "--apply"});
    const Context c{args, out, err};
    if (args.flag("--help") || args.flag("-h")) {
        out << usage();
        return kExitOk;
    }
    if (!args.error().empty())
        return c.usageError(args.error());
    if (args.positional().empty())
        return c.usageError("no command given");

    const std::map<std::string, std::function<int()>> commands = {
        {"new", [&] { return commandNew(c); }},
        {"show", [&] { return commandShow(c); }},
        {"set", [&] { return commandSet(c); }},
        {"diff", [&] { return runDiff(args, out, err); }},
        {"read", [&] { return commandTransfer(c, Transfer::Read); }},
        {"verify", [&] { return commandTransfer(c, Transfer::Verify); }},
        {"program", [&] { return commandTransfer(c, Transfer::Program); }},
        {"monitor", [&] { return commandMonitor(c); }},
        {"save-all-new", [&] { return commandSaveAllNew(c); }},
        {"compare-all", [&] { return commandCompareAll(c); }},
        {"import-old-maps", [&] { return commandImportOldMaps(c); }},
        {"export-percent", [&] { return commandExportPercent(c); }},
        {"map-export", [&] { return mapExportCommand(args, err); }},
        {"map-import", [&] { return mapImportCommand(args, err); }},
        {"log-cells", [&] { return logCells(c.args, c.out, c.err); }},
        {"tune", [&] { return tuneCommand(args, out, err); }},
    };
    const auto command = commands.find(args.positional().front());
    if (command == commands.end())
        return c.usageError("unknown command " + args.positional().front());
    return command->second();
}

} // namespace

int run(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err)
{
    // A command that runs out of memory ends with a word instead of an abort; what it wrote
    // before stays as its atomic saves left it.
    try {
        return runCommand(argv, out, err);
    } catch (const std::bad_alloc&) {
        err << "quorvel-cli: " << kOutOfMemory << '\n';
        return kExitBadInput;
    }
}

} // namespace quorvel::cli
