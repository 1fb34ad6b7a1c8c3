#ifndef ORBICASCADE_TESTS_SCRATCHFOLDER_H
#define ORBICASCADE_TESTS_SCRATCHFOLDER_H

#include <cstdlib>
#include <filesystem>

// A fresh temporary folder, removed with all it holds when the object goes away.
struct ScratchFolder {
    char name[22] = "/tmp/orbi-test-XXXXXX";
    const std::filesystem::path path = mkdtemp(name) != nullptr ? name : "/nonexistent";
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

#endif
