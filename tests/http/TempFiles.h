// A scratch directory under /tmp for file-based tests, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace httptest {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "norvo-http-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `bytes` to a file of this name and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::string full = (path_ / name).string();
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }
    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace httptest
