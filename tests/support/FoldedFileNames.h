#pragma once

// Linked in place of the game's SystemFiles::SystemName: while folding is on, the file calls
// behave as on a file system that ignores letter case, so a Linux test sees "data/Anna.user"
// and "data/anna.user" as one file. The name part of every path is lower-cased up to its first
// dot (the random ending of a temporary file stays as made). Where the system already ignores
// case it changes nothing that matters. Off at the start.
namespace SystemFiles {

void FoldCaseForTests(bool on);

} // namespace SystemFiles
