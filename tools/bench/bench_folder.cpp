#include "bench_folder.h"

#include <cstdlib>
#include <filesystem>

BenchFolder::BenchFolder()
{
    char pattern[] = "/tmp/tarnex-bench-XXXXXX";
    if (mkdtemp(pattern))
        m_path = pattern;
}

BenchFolder::~BenchFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

std::string buildTreeProgram(std::string const& relativePath)
{
    // tarnex-bench lives in tools/bench of the build tree.
    std::filesystem::path const self = std::filesystem::canonical("/proc/self/exe");
    return (self.parent_path().parent_path().parent_path() / relativePath).string();
}
