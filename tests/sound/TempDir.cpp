// A fresh directory for one sound test, removed with everything in it afterwards.
#include "TempDir.h"

#include <stdlib.h>

#include <stdexcept>
#include <string>
#include <system_error>

namespace mukiro::sound::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mukiro-sound-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace mukiro::sound::test
