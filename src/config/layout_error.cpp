#include "config/layout_error.h"

#include <array>

namespace {

struct ErrorText {
    LayoutError error;
    std::string_view text;
};

constexpr auto kErrorTexts = std::to_array<ErrorText>({
    { LayoutError::None, "No Error" },
    { LayoutError::FileCreation, "File creation" },
    { LayoutError::UnableToRead, "Unable to read %s" },
    { LayoutError::ResourceNotFound, "Resource not found" },
    { LayoutError::ResourceSize, "Rsrc size error" },
    { LayoutError::ResourceLoad, "Error loading rsrc" },
    { LayoutError::Checksum, "Checksum Error" },
    { LayoutError::AppDataFolder, "Error in locating APP_DATA folder" },
    { LayoutError::WritingFile, "Error in writing file" },
});

constexpr bool rowsFollowTheEnumeration()
{
    for (std::size_t i = 0; i < kErrorTexts.size(); ++i) {
        if (static_cast<std::size_t>(kErrorTexts[i].error) != i)
            return false;
    }
    return true;
}
static_assert(rowsFollowTheEnumeration(), "a row of kErrorTexts is out of place");

}

std::string layoutErrorText(LayoutError error, std::string_view fileName)
{
    std::string text(kErrorTexts[static_cast<std::size_t>(error)].text);
    if (std::size_t const slot = text.find("%s"); slot != std::string::npos)
        text.replace(slot, 2, fileName);
    return text;
}
