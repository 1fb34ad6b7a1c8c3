#include "gfx/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::RegularFile(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that never comes;
    // for a regular file the flag changes nothing.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return;
    }
    file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        return;
    }
    bytes = static_cast<std::uint64_t>(status.st_size);
}

RegularFile::~RegularFile() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

std::FILE* RegularFile::release() {
    std::FILE* released = file;
    file = nullptr;
    return released;
}

RegularFileBuffer::int_type RegularFileBuffer::underflow() {
    const std::size_t count = file != nullptr ? std::fread(buffer, 1, sizeof buffer, file) : 0;
    if (count == 0) {
        return traits_type::eof();
    }
    setg(buffer, buffer, buffer + count);
    return traits_type::to_int_type(buffer[0]);
}
