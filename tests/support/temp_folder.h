// A fresh folder for one test, made the current folder while the test runs and removed after it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

class TempFolder {
public:
    explicit TempFolder(const std::string& purpose) {
        static std::atomic<int> serial{0};
        previous_ = std::filesystem::current_path();
        path_ = std::filesystem::temp_directory_path() /
                ("trazo-" + purpose + "-" + std::to_string(::getpid()) + "-" +
                 std::to_string(serial++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
