#pragma once

#include <string>

// A private folder under /tmp (mode 0700) for one benchmark run: its IPC
// directory, profile and data folders. Removed with everything in it when
// the object goes. path() is empty when the folder could not be made.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(BenchFolder const&) = delete;
    BenchFolder& operator=(BenchFolder const&) = delete;

    std::string const& path() const { return m_path; }

private:
    std::string m_path;
};

// A program of the build tree that holds tarnex-bench, by its path from the
// build tree's top ("tools/sim/tarnex-sim").
std::string buildTreeProgram(std::string const& relativePath);
