// Whole files exactly as they are on disk, for tests that compare bytes. A file that cannot be
// read reads as empty, which every comparison with expected content then reports.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string FileContents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    const std::string contents = FileContents(path);
    return std::vector<std::uint8_t>(contents.begin(), contents.end());
}

inline void WriteFileContents(const std::string& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}
