#include "io/file_replacement.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <system_error>
#include <utility>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quorvel::file_replacement {
namespace {

// The largest piece WriteFile takes in one call.
constexpr std::size_t kMaxWrite = 1U << 30;

std::string failure(const char* what, const std::filesystem::path& path, DWORD error)
{
    return std::string(what) + " " + displayPath(path) + ": " + std::system_category().message(static_cast<int>(error));
}

// CON, PRN, AUX, NUL, COM1..COM9 and LPT1..LPT9 name a device in every directory, whatever
// follows the first dot and with trailing spaces ignored; such a name is never a regular file.
bool isDeviceName(const std::filesystem::path& path)
{
    std::wstring stem = path.filename().wstring();
    stem = stem.substr(0, stem.find(L'.'));
    stem.erase(stem.find_last_not_of(L' ') + 1);
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
    static constexpr std::array<std::wstring_view, 4> kPlain{L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), stem) != kPlain.end())
        return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

class Handle {
public:
    explicit Handle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~Handle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    [[nodiscard]] bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE get() const { return m_handle; }
    // False when closing failed, which after writing may mean the bytes did not all arrive.
    [[nodiscard]] bool finish() { return valid() && ::CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE m_handle;
};

// The file a link finally names; opening with no access right reads nothing and follows links.
std::variant<std::filesystem::path, std::string> finalPath(const std::filesystem::path& link)
{
    Handle handle(::CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.valid())
        return failure("cannot follow", link, ::GetLastError());
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                         FILE_NAME_NORMALIZED);
        if (length == 0)
            return failure("cannot follow", link, ::GetLastError());
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
        buffer.resize(length);
    }
}

bool writeAll(HANDLE file, std::string_view content)
{
    while (!content.empty()) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min(content.size(), kMaxWrite));
        if (::WriteFile(file, content.data(), piece, &written, nullptr) == 0 || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

std::optional<std::string> fill(Handle& file, const std::filesystem::path& temp, std::string_view content)
{
    if (!writeAll(file.get(), content))
        return failure("cannot write", temp, ::GetLastError());
    if (::FlushFileBuffers(file.get()) == 0)
        return failure("cannot flush", temp, ::GetLastError());
    if (!file.finish())
        return failure("cannot write", temp, ::GetLastError());
    return std::nullopt;
}

bool moveOver(const std::filesystem::path& temp, const std::filesystem::path& target)
{
    return ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

std::variant<SaveTarget, std::string> resolve(const std::filesystem::path& requested)
{
    if (isDeviceName(requested))
        return displayPath(requested) + " is a device";
    DWORD attributes = ::GetFileAttributesW(requested.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return SaveTarget{requested, false};
        return failure("cannot examine", requested, error);
    }
    std::filesystem::path target = requested;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        auto followed = finalPath(requested);
        if (auto* refusal = std::get_if<std::string>(&followed))
            return std::move(*refusal);
        target = std::get<std::filesystem::path>(followed);
        attributes = ::GetFileAttributesW(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return failure("cannot examine", target, ::GetLastError());
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return displayPath(target) + " is not a regular file";
    // A file marked read-only is not replaced, as the command prompt does not overwrite it.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return failure("cannot write", target, ERROR_ACCESS_DENIED);
    return SaveTarget{target, true};
}

std::optional<std::string> writeTemporary(const std::filesystem::path& temp, const SaveTarget& /*target*/,
                                          std::string_view content)
{
    // CREATE_NEW: a file found under the temp name is never written.
    Handle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return failure("cannot create", temp, ::GetLastError());
    auto error = fill(file, temp, content);
    if (error) {
        // An open file cannot be deleted.
        (void)file.finish();
        ::DeleteFileW(temp.c_str());
    }
    return error;
}

std::variant<Placement, std::string> placeWithoutReplacing(const std::filesystem::path& temp,
                                                           const std::filesystem::path& target)
{
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
    if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0)
        return Placement::Placed;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return Placement::NameTaken;
    return failure("cannot create", target, error);
}

bool ownedBySavingUser(const std::filesystem::path& /*path*/)
{
    // The user's own folders hold only the user's files; access is the ACL's matter.
    return true;
}

std::optional<std::string> replaceWithTemporary(const std::filesystem::path& temp, const SaveTarget& target)
{
    if (!target.exists) {
        if (moveOver(temp, target.path))
            return std::nullopt;
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temp.c_str());
        return failure("cannot replace", target.path, error);
    }
    // ReplaceFileW gives the new file the replaced file's ACL, attributes and streams.
    if (::ReplaceFileW(target.path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) !=
        0)
        return std::nullopt;
    const DWORD error = ::GetLastError();
    switch (error) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        // The old file is gone from its name and the temp file holds the only copy: it must
        // reach the target's name or stay where it is.
        if (moveOver(temp, target.path))
            return std::nullopt;
        return failure("cannot replace", target.path, error) + "; the new contents are in " + displayPath(temp);
    case ERROR_FILE_NOT_FOUND:
        // The target went away since it was examined.
        if (moveOver(temp, target.path))
            return std::nullopt;
        break;
    default:
        break;
    }
    ::DeleteFileW(temp.c_str());
    return failure("cannot replace", target.path, error);
}

} // namespace quorvel::file_replacement
