#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// The file operations whose system calls differ between Linux and Windows. Paths are UTF-8
// (the game's Windows-1252 names are converted before they get here); on Windows they reach
// the system through its wide-character calls, so every name the game can spell is a file name.
namespace SystemFiles {

std::FILE* Open(const std::string& path, const char* mode);
bool Remove(const std::string& path);

// What a temporary file's name adds to its target's before six random letters or digits: a
// name no player would give a file, so clearing leftovers never takes one of theirs.
inline constexpr const char* TemporaryMarker = ".brixel-tmp-";
// The length of that addition, marker and letters.
inline constexpr size_t TemporaryNameExtra = 12 + 6;

// Creates a new file beside `target` under an unused name "<target>.brixel-tmp-XXXXXX" and
// opens it for writing; the descriptor, or -1 (created is then untouched).
int CreateTemporary(const std::string& target, std::string& created);
long Write(int descriptor, const void* data, size_t size); // bytes written; negative on error
bool Sync(int descriptor);                                 // its data is on the disk
bool Close(int descriptor);

// Puts `from` in the place of `to` in one step: a reader sees the old file or the new one,
// never neither, and after a crash one of the two is there whole.
bool Replace(const std::string& from, const std::string& to);
// Opens `path` (made when missing) and locks it for this process alone; the lock goes when the
// handle is unlocked or the process ends in any way. -1 when it could not be locked;
// heldElsewhere then tells whether another process holds it.
intptr_t LockFile(const std::string& path, bool& heldElsewhere);
void UnlockFile(intptr_t handle);

// Makes a finished Replace itself survive a power cut (where the system needs a second step).
void SyncFolderOf(const std::string& path);

// The same on every system.
std::filesystem::path PathOf(const std::string& path); // UTF-8 to the system's path
std::string NameOf(const std::filesystem::path& path); // and back
// Whether the path names a regular file (a link to one counts): only those are opened, as a
// pipe or a device could block the reader for ever.
bool IsRegularFile(const std::string& path);
// Whether the two names reach one file (on a file system that ignores letter case "anna" and
// "Anna" do).
bool SameFile(const std::string& a, const std::string& b);

// Where the system tells letter case apart (Linux), a path that names no file is matched to an
// existing file that differs only in the letter case of its ending ("Strand.jpg" finds
// "Strand.JPG"), as Windows would open it. Unchanged when none or the exact name exists, and
// always on Windows.
std::string EndingAsOnDisk(const std::string& path);

// The path as the calls hand it to the system. The game's own (Libs/SystemName.cpp) hands it
// on unchanged; a test program may link another in its place.
std::string SystemName(const std::string& path);

} // namespace SystemFiles
