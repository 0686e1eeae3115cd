#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Libs/SystemFiles.h"
#include "tests/TestSupport.h"
#include "tests/support/DiskFaults.h"
#include <vector>

// Every test runs in a fresh empty working folder, removed afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        folder = MakeTestFolder("brixel-storage-");
        ASSERT_FALSE(folder.empty());
        DiskFaults::Reset();
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        DiskFaults::Reset();
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Paths are UTF-8, as the game's own file calls take them.
    static void writeFile(const std::string& path, const std::string& bytes) {
        std::filesystem::path p = SystemFiles::PathOf(path);
        if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
        FILE* f = SystemFiles::Open(path, "wb");
        ASSERT_NE(nullptr, f) << path;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    static std::string readFile(const std::string& path) {
        std::string bytes;
        FILE* f = SystemFiles::Open(path, "rb");
        if (!f) return bytes;
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
        std::fclose(f);
        return bytes;
    }
    static bool exists(const std::string& path) {
        return std::filesystem::exists(SystemFiles::PathOf(path));
    }

    std::filesystem::path previous;
    std::filesystem::path folder;
};
