#pragma once
#include <string>

// Where everything the game writes goes: the settings, the profiles and their copies, the lock,
// the screenshots and the error log, each under the same relative name as beside the game. The
// root is chosen once at start; until then (and in the tools and tests) it is empty, the
// working folder, where the game has always kept them.
namespace DataFolder {

// "" (the working folder) or a folder ending in a separator; UTF-8.
void SetRoot(const std::string& root);
const std::string& Root();
// The root followed by the relative name ("data/brixel.ini"); UTF-8.
std::string Path(const std::string& name);

} // namespace DataFolder
