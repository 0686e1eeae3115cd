#pragma once
#include <filesystem>
#include <string>

// What the tests need of the system, the same on Linux and on Windows (under wine).

// A new, empty folder in the system's temporary folder, its name beginning with `prefix`.
std::filesystem::path MakeTestFolder(const std::string& prefix);

// Sets an environment variable; with overwrite false only where it is not set yet.
void SetTestEnvironment(const char* name, const char* value, bool overwrite = true);

// A death test's statement runs in a child process; on Windows that child starts the test
// program afresh, with a working folder of its own. The parent names its folder, and the
// statement's first step goes there.
void ShareWorkingFolder();
void EnterSharedWorkingFolder();

// `link` comes to show `target`'s files: a link where the system makes one, else a copy.
bool LinkFolder(const std::filesystem::path& target, const std::filesystem::path& link);
