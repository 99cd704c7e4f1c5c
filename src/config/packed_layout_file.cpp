#include "config/packed_layout_file.h"

#include "config/layout_codec.h"
#include "config/regular_file.h"


LayoutError readPackedLayoutFile(std::string const& path, std::vector<std::uint8_t>& packed)
{
    // A packed layout is read only up to its largest size; what lies beyond
    // is cut, so only the bytes read are checked.
    std::string bytes;
    switch (readRegularFile(path, kMaxPackedLayoutSize, bytes)) {
    case RegularFileRead::Read:
    case RegularFileRead::TooLarge:
        packed.assign(bytes.begin(), bytes.end());
        return LayoutError::None;
    case RegularFileRead::Missing:
        return LayoutError::FileCreation;
    case RegularFileRead::NotRegular:
    case RegularFileRead::Failed:
        break;
    }
    return LayoutError::UnableToRead;
}
