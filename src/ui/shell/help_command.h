#pragma once

#include "core/message_texts.h"
#include "core/user_messages.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace quorvel {

// Help -> Contents: the manual of the current language, opened by the desktop's viewer. The
// manual lies beside the program (a build tree, a copied folder) or, once installed, in the
// documentation folder of its prefix.
class HelpCommand {
public:
    // Hands a document to the desktop; false when no viewer took it.
    using Opener = std::function<bool(const std::filesystem::path&)>;

    HelpCommand(std::filesystem::path programDirectory, const MessageTexts& texts, UserMessages& messages,
                Opener opener = openWithDesktop);

    // Message 32 ("Error by opening file ... !") when the manual is missing or no viewer opens it.
    void openManual();

    // The places looked at, in order.
    [[nodiscard]] std::vector<std::filesystem::path> candidates() const;

    static bool openWithDesktop(const std::filesystem::path& document);

private:
    std::filesystem::path m_programDirectory;
    const MessageTexts& m_texts;
    UserMessages& m_messages;
    Opener m_opener;
};

} // namespace quorvel
