#include "config/regular_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Descriptor(Descriptor const&) = delete;
    Descriptor& operator=(Descriptor const&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

}

RegularFileRead readRegularFile(std::string const& path, std::size_t limit, std::string& bytes)
{
    Descriptor const file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? RegularFileRead::Missing : RegularFileRead::Failed;
    struct stat info {};
    if (fstat(file.get(), &info) != 0)
        return RegularFileRead::Failed;
    if (!S_ISREG(info.st_mode))
        return RegularFileRead::NotRegular;
    bytes.clear();
    std::array<char, 16384> chunk;
    for (;;) {
        ssize_t const count = read(file.get(), chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return RegularFileRead::Failed;
        if (count == 0)
            return RegularFileRead::Read;
        std::size_t const kept = std::min(static_cast<std::size_t>(count), limit - bytes.size());
        bytes.append(chunk.data(), kept);
        if (kept < static_cast<std::size_t>(count))
            return RegularFileRead::TooLarge;
    }
}
