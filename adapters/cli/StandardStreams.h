#pragma once
// "-" stands for standard input where a program reads a file and for standard output where it
// writes one, so that the programs chain in a pipe.
#include <memory>
#include <string>
#include <string_view>

#include "platform/files/FileSystem.h"

namespace vks::cli {

inline constexpr std::string_view kStandardStream = "-";

// Reads standard input (all of it, once, on its first use) for the path "-" and hands every other
// call to `real`.
std::unique_ptr<FileSystem> WithStandardInput(std::unique_ptr<FileSystem> real);

// Writes `bytes` to standard output for "-"; else replaces the file at `path` only once the new
// bytes are complete on the disk.
void WriteWholeFile(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace vks::cli
