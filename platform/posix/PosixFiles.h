#pragma once

#include <cstdint>
#include <string>

namespace vantrel::platform {

// Opens a regular file for reading without ever waiting: the open does not block on a FIFO,
// and anything but a regular file is closed again and refused, a folder with EISDIR and
// anything else (a FIFO, a socket, a device) with EINVAL. Returns the descriptor, or -1 with
// the errno in error. size, when given, receives the file's size.
int openRegularFile(const std::string& path, int& error, std::uint64_t* size = nullptr);

} // namespace vantrel::platform
