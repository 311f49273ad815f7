#include "app/cli/command_support.h"

#include "app/cli/cli.h"
#include "io/parameter_set.h"
#include "texts/language_table.h"

#include <charconv>

namespace quorvel::cli {
namespace {

constexpr int kTextOpenFileError = 26;
constexpr int kTextWrongFileVersion = 29;

} // namespace

int usageError(std::ostream& err, const std::string& why)
{
    err << "quorvel-cli: " << why << "\n\n" << usage();
    return kExitBadInput;
}

std::optional<int> loadFailure(LoadResult result, const std::string& path, std::ostream& err)
{
    const LanguageTable texts;
    switch (result) {
    case LoadResult::Loaded:
        return std::nullopt;
    case LoadResult::CannotOpen:
        err << texts.text(kTextOpenFileError) << " (" << path << ")\n";
        return kExitBadInput;
    case LoadResult::WrongVersion:
        err << texts.text(kTextWrongFileVersion) << " (" << path << ")\n";
        return kExitBadInput;
    }
    return kExitBadInput;
}

std::optional<int> loadParameters(const std::string& path, ParamImage& image, InjectionTables& tables,
                                  std::ostream& err)
{
    const FileLoad load = loadParameterFile(path, image, tables);
    // A file that could not be read is named by the reason, which says why.
    return loadFailure(load.result, load.reason.empty() ? path : load.reason, err);
}

std::optional<int> numberOption(const std::optional<std::string>& text, int low, bool& bad)
{
    if (!text)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc{} || end != text->data() + text->size() || value < low) {
        bad = true;
        return std::nullopt;
    }
    return value;
}

} // namespace quorvel::cli
