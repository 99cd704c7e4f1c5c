#include "platform/linux/ipc_directory.h"

#include "platform/linux/ipc_socket_protocol.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <string_view>
#include <unistd.h>

std::string ipcDirectory()
{
    if (char const* dir = std::getenv("FSUIPC_IPC_DIR"); dir && *dir)
        return dir;
    if (char const* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/fsuipc";
    return "/tmp/fsuipc-" + std::to_string(getuid());
}

bool checkIpcDirectory(std::string const& path, bool create, std::string& problem)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT || !create) {
            problem = "Cannot use the IPC directory " + path + ": " + std::strerror(errno) + ".";
            return false;
        }
        // A directory made in the meantime by someone else is caught below.
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = "Cannot create the IPC directory " + path + ": " + std::strerror(errno) + ".";
            return false;
        }
        if (lstat(path.c_str(), &info) != 0) {
            problem = "Cannot use the IPC directory " + path + ": " + std::strerror(errno) + ".";
            return false;
        }
    }
    if (S_ISLNK(info.st_mode)) {
        problem = "The IPC directory " + path + " is a symbolic link; point FSUIPC_IPC_DIR at a real directory.";
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        problem = "The IPC path " + path + " is not a directory.";
        return false;
    }
    if (info.st_uid != geteuid()) {
        problem = "The IPC directory " + path + " belongs to another user; point FSUIPC_IPC_DIR at your own.";
        return false;
    }
    if (info.st_mode & 077) {
        problem = "The IPC directory " + path + " is open to other users; make it mode 0700.";
        return false;
    }
    return true;
}

std::string waitingFilePath(std::string const& directory, std::string const& windowClass)
{
    return directory + "/" + windowClass + kWaitingFileSuffix;
}

std::optional<std::string> readWaitingLine(std::string const& path)
{
    int const descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat info {};
    char text[kMaxWaitingLineLength];
    ssize_t length = -1;
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode))
        length = read(descriptor, text, sizeof text);
    close(descriptor);
    if (length < 0)
        return std::nullopt;
    std::string line;
    for (char const c : std::string_view(text, static_cast<std::size_t>(length))) {
        if (c == '\n')
            break;
        if (static_cast<unsigned char>(c) >= ' ' && c != 127)
            line += c;
    }
    return line;
}
