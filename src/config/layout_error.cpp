#include "config/layout_error.h"

#include <array>

namespace {

struct ErrorText {
    LayoutError error;
    std::string_view text;
};

constexpr std::array<ErrorText, 9> kErrorTexts { {
    { LayoutError::None, "No Error" },
    { LayoutError::FileCreation, "File creation" },
    { LayoutError::UnableToRead, "Unable to read %s" },
    { LayoutError::ResourceNotFound, "Resource not found" },
    { LayoutError::ResourceSize, "Rsrc size error" },
    { LayoutError::ResourceLoad, "Error loading rsrc" },
    { LayoutError::Checksum, "Checksum Error" },
    { LayoutError::AppDataFolder, "Error in locating APP_DATA folder" },
    { LayoutError::WritingFile, "Error in writing file" },
} };

}

std::string layoutErrorText(LayoutError error, std::string_view fileName)
{
    std::string text(kErrorTexts[static_cast<std::size_t>(error)].text);
    if (std::size_t const slot = text.find("%s"); slot != std::string::npos)
        text.replace(slot, 2, fileName);
    return text;
}
