#pragma once
#include <string>

#include "storage/PlayerProfile.h"

// Operations of the profile list that the menus call. The three players are pointers into the
// list; a list entry keeps its address while it exists, renamed or not.

constexpr int maxProfileNameLength = 20;

// Inserts a default profile under the name and makes it current; nullptr when the name exists.
PlayerProfile* addProfile(ProfileList& profiles, const std::string& name);
// The profile with that name (step 0), the one after it (+1, the last wraps to the first) or
// before it (-1, wrapping); nullptr when the name is absent.
PlayerProfile* findProfile(ProfileList& profiles, const std::string& name, int step);
// Moves the record to the new key (the record's name follows); false when the old name is absent
// or the new one taken. The record keeps its address, so pointers to it stay valid.
bool renameProfileEntry(ProfileList& profiles, const std::string& oldName,
                        const std::string& newName);

// Names compared without regard to letter case (Windows-1252 letters).
bool sameNameIgnoringCase(const std::string& a, const std::string& b);
// Not empty, at most 20 characters, usable as a file name (no "/", "\\" or control characters),
// and neither a profile other than `self` nor an unreadable file has the name in any case.
bool isValidProfileName(const ProfileList& profiles, const std::string& name,
                        const PlayerProfile* self = nullptr);

// Creates a profile named `baseName` + " " + n with the first n from 1 that neither a profile
// nor an unreadable file has (in any case), with every default, and makes it current.
PlayerProfile* createProfile(ProfileList& profiles, const std::string& baseName);

// Results of deleteProfile, as bits.
enum DeleteResult {
    DeleteRefused = 0, // two profiles or fewer, or no such profile
    Deleted = 1,
    DeletedPlayer1 = 2, // player 1 was the deleted profile: a paused game is to be abandoned
    DeletedPlayer2 = 4, // player 2 was: a paused two-player game is to be abandoned
};
// Deletes the profile (only while more than two exist): player 1 and 2 move on to the next
// profiles and stay different, the managed player becomes the profile after the deleted one,
// the record leaves the list and "data/<name>.user" is deleted (its copies stay).
int deleteProfile(ProfileList& profiles, PlayerProfile* profile, PlayerProfile*& player1,
                  PlayerProfile*& player2, PlayerProfile*& managedPlayer);

// Renames the profile: the new file is written first, then the old one deleted; the three
// players follow the record. False (nothing changed) when the new name is not valid.
bool renameProfile(ProfileList& profiles, PlayerProfile* profile, const std::string& newName);
