#pragma once

#include <filesystem>
#include <random>
#include <string>

// A fresh folder under the system's temporary directory, removed with its
// contents at the end of the test. Unique across parallel test processes.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        std::filesystem::path const base = std::filesystem::temp_directory_path();
        for (;;) {
            std::filesystem::path candidate = base / ("tarnex-test-" + std::to_string(random()) + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                m_path = std::move(candidate);
                return;
            }
        }
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(TempFolder const&) = delete;
    TempFolder& operator=(TempFolder const&) = delete;

    std::string path() const { return m_path.string(); }
    std::string file(std::string_view name) const { return (m_path / name).string(); }
    bool isEmpty() const { return std::filesystem::is_empty(m_path); }

private:
    std::filesystem::path m_path;
};
