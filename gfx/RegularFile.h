#ifndef ORBICASCADE_GFX_REGULARFILE_H
#define ORBICASCADE_GFX_REGULARFILE_H

#include <cstdint>
#include <cstdio>
#include <streambuf>
#include <string>

// A data file opened for reading only when it is a regular file (or a link to
// one): a named pipe, device or directory in its place is refused rather than
// left to block start-up or to read on forever. The check is made on the opened
// descriptor, so the path cannot be swapped between check and open.
class RegularFile {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return file != nullptr; }
    // The size in bytes when the file was opened.
    std::uint64_t size() const { return bytes; }
    std::FILE* stream() const { return file; }
    // Hands the stream to a new owner, who closes it.
    std::FILE* release();

private:
    std::FILE* file = nullptr;
    std::uint64_t bytes = 0;
};

// Lets a std::istream read a RegularFile's stream, for readers written for streams.
class RegularFileBuffer : public std::streambuf {
public:
    explicit RegularFileBuffer(const RegularFile& source) : file(source.stream()) {}

protected:
    int_type underflow() override;

private:
    std::FILE* file;
    char buffer[4096];
};

#endif
