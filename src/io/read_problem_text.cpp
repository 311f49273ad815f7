#include "io/read_problem_text.h"

#include "core/text_format.h"
#include "io/file_replacement.h"
#include "texts/file_texts.h"

namespace quorvel {

std::string readProblemText(const FileRead& read, const std::filesystem::path& path, std::size_t limit,
                            Language language)
{
    const std::string shown = file_replacement::displayPath(path);
    switch (read.problem) {
    case ReadProblem::NotARegularFile:
        return formatText(*FileTexts::text("FileNotRegular", language), shown.c_str());
    case ReadProblem::TooLarge:
        return formatText(*FileTexts::text("FileTooLarge", language), shown.c_str(), sizeText(limit).c_str());
    case ReadProblem::None:
    case ReadProblem::Missing:
    case ReadProblem::CannotOpen:
        break;
    }
    return read.reason;
}

std::string fileErrorText(std::string_view openFileError, std::string_view reason)
{
    std::string text(openFileError);
    text += '\n';
    text += reason;
    return text;
}

} // namespace quorvel
