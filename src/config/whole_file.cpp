#include "config/whole_file.h"


WholeFile readWholeFile(std::string const& path, std::size_t limit)
{
    WholeFile file;
    std::string bytes;
    file.status = readRegularFile(path, limit, bytes);
    switch (file.status) {
    case RegularFileRead::Read:
        file.bytes = std::move(bytes);
        break;
    case RegularFileRead::Missing:
        file.problem = "no such file";
        break;
    case RegularFileRead::NotRegular:
        file.problem = "it is not a regular file, and a pipe or a device could block or never end";
        break;
    case RegularFileRead::TooLarge:
        file.problem = "it holds more than " + std::to_string(limit) + " bytes, more than such a file can hold";
        break;
    case RegularFileRead::Failed:
        file.problem = "it cannot be read";
        break;
    }
    return file;
}
