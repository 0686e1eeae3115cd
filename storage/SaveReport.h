#pragma once
#include <functional>
#include <string>
#include <vector>

#include "storage/AtomicFile.h"
#include "storage/LanguageTable.h"

// What the player is told at quit when saves failed: the introduction, then one line per file,
// "Anna.user: the disk is full" (texts 801-806 of the language).
std::string saveFailureText(const std::vector<SaveFailure>& failures,
                            const std::function<std::string(int)>& text);

// The language the settings file chooses ("Deutsch" when none is chosen or its file is
// missing), loaded without writing anything: for messages before the menus are built.
void loadChosenLanguage(LanguageTable& language);
