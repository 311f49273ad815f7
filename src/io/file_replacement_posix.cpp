#include "io/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::file_replacement {
namespace {

// As many links as the kernel follows in one lookup before it gives up on a loop.
constexpr int kMaxLinkHops = 40;

// `what` is plain text so that nothing can touch errno between the failing call and this one.
std::string failure(const char* what, const std::filesystem::path& path, int error)
{
    return std::string(what) + " " + displayPath(path) + ": " + std::generic_category().message(error);
}

// Closes on every return path; a failed close after writing is reported by finish().
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] bool finish() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The group decides who shares a 0640 tune, so it is kept where the saving user may set it;
// the owner only changes back when root saves another user's file. False when the new file
// keeps the saving user's group.
bool keepOwnership(int fd, const SaveTarget& target)
{
    return ::fchown(fd, target.owner, target.group) == 0 || ::fchown(fd, static_cast<uid_t>(-1), target.group) == 0;
}

std::optional<std::string> fill(Descriptor& fd, const std::filesystem::path& temp, const SaveTarget& target,
                                std::string_view content)
{
    if (target.exists) {
        (void)keepOwnership(fd.get(), target);
        if (::fchmod(fd.get(), target.permissions) != 0)
            return failure("cannot set the permissions of", temp, errno);
    }
    if (!writeAll(fd.get(), content))
        return failure("cannot write", temp, errno);
    if (::fsync(fd.get()) != 0)
        return failure("cannot flush", temp, errno);
    if (!fd.finish())
        return failure("cannot write", temp, errno);
    return std::nullopt;
}

// A link or file in a folder that everyone may write and whose sticky bit is set is used only
// by its owner or when the folder's owner owns it: another user may have planted it there.
std::optional<std::string> sharedFolderRefusal(const std::filesystem::path& entry, const struct stat& info)
{
    const std::filesystem::path parent = entry.has_parent_path() ? entry.parent_path() : ".";
    struct stat folder {};
    if (::stat(parent.c_str(), &folder) != 0)
        return std::nullopt; // creating the temp file beside it reports what is wrong
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (!shared || info.st_uid == ::geteuid() || info.st_uid == folder.st_uid)
        return std::nullopt;
    return failure(S_ISLNK(info.st_mode) ? "cannot follow" : "cannot replace", entry, EACCES);
}

bool writeProtected(const std::filesystem::path& file, const struct stat& info)
{
    if (::geteuid() == 0)
        return (info.st_mode & S_IWUSR) == 0;
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EPERM);
}

} // namespace

std::variant<SaveTarget, std::string> resolve(const std::filesystem::path& requested)
{
    std::filesystem::path current = requested;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return SaveTarget{current, false};
            return failure("cannot examine", current, errno);
        }
        if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
            return displayPath(current) + " is not a regular file";
        if (auto refusal = sharedFolderRefusal(current, info))
            return std::move(*refusal);
        if (S_ISREG(info.st_mode)) {
            if (writeProtected(current, info))
                return failure("cannot write", current, EACCES);
            return SaveTarget{current, true, info.st_mode & 0777, info.st_uid, info.st_gid};
        }
        if (hops == kMaxLinkHops)
            return failure("cannot follow", requested, ELOOP);
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error)
            return failure("cannot follow", current, error.value());
        // A relative link names its target from the link's own directory.
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
}

std::optional<std::string> writeTemporary(const std::filesystem::path& temp, const SaveTarget& target,
                                          std::string_view content)
{
    // O_EXCL with O_NOFOLLOW: a file or link found under the temp name is never written. A new
    // file starts private when it is to take an existing file's permissions.
    Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         target.exists ? S_IRUSR | S_IWUSR : 0666));
    if (fd.get() < 0)
        return failure("cannot create", temp, errno);
    auto error = fill(fd, temp, target, content);
    if (error)
        ::unlink(temp.c_str());
    return error;
}

std::variant<Placement, std::string> placeWithoutReplacing(const std::filesystem::path& temp,
                                                           const std::filesystem::path& target)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return Placement::Placed;
    if (errno == EEXIST)
        return Placement::NameTaken;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return failure("cannot create", target, errno);
#endif
    // Where rename cannot refuse to replace, a hard link takes the name just as exclusively.
    if (::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        return Placement::Placed;
    }
    if (errno == EEXIST)
        return Placement::NameTaken;
    if (errno != EPERM && errno != ENOTSUP && errno != ENOSYS)
        return failure("cannot create", target, errno);
    // A file system with neither (some network and FUSE ones): the name is looked at first, as
    // it always was; only there can two writers at the very same moment still meet.
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0)
        return Placement::NameTaken;
    if (::rename(temp.c_str(), target.c_str()) == 0)
        return Placement::Placed;
    return failure("cannot create", target, errno);
}

bool ownedBySavingUser(const std::filesystem::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && info.st_uid == ::geteuid();
}

std::optional<std::string> replaceWithTemporary(const std::filesystem::path& temp, const SaveTarget& target)
{
    if (::rename(temp.c_str(), target.path.c_str()) == 0)
        return std::nullopt;
    const int error = errno;
    ::unlink(temp.c_str());
    return failure("cannot replace", target.path, error);
}

} // namespace quorvel::file_replacement
