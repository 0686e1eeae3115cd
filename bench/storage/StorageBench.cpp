#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "storage/LanguageTable.h"
#include "storage/ProfileStore.h"
#include "storage/Settings.h"
#include "storage/TextFormat.h"

namespace {

// Runs the benchmark inside a fresh folder, as the game runs inside its own.
class Folder {
public:
    Folder() : previous(std::filesystem::current_path()) {
        char name[] = "/tmp/brixel-bench-XXXXXX";
        if (mkdtemp(name)) path = name;
        std::filesystem::current_path(path);
    }
    ~Folder() {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

ProfileList makeProfiles(int count) {
    ProfileList profiles;
    for (int i = 0; i < count; ++i) {
        PlayerProfile& p = profiles.SelectOrInsert("Spieler " + std::to_string(i));
        p.name = "Spieler " + std::to_string(i);
        p.gamesPlayed = i;
    }
    return profiles;
}

// Shutdown: every profile replaced on disk (each one synced), then the settings file.
void BM_SaveAllProfiles(benchmark::State& state) {
    Folder folder;
    ProfileList profiles = makeProfiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Settings settings;
        saveSettings(settings, profiles, profiles.First(), profiles.Last(), profiles.First());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveAllProfiles)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

// Start-up: every profile read, checked and copied to its ".bak".
void BM_LoadAllProfiles(benchmark::State& state) {
    Folder folder;
    saveProfiles(makeProfiles(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        ProfileList profiles;
        Settings settings;
        loadSettings(settings, profiles);
        benchmark::DoNotOptimize(profiles.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadAllProfiles)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_LoadLanguage(benchmark::State& state) {
    Folder folder;
    std::string text;
    for (int id = 100; id < 800; ++id) text += std::to_string(id) + "=Ein Text mit\\nzwei Zeilen\n";
    FILE* f = std::fopen("Deutsch.txt", "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    LanguageTable language;
    for (auto _ : state) benchmark::DoNotOptimize(language.Load("Deutsch.txt"));
}
BENCHMARK(BM_LoadLanguage)->Unit(benchmark::kMicrosecond);

void BM_FormatText(benchmark::State& state) {
    const std::string name = "J\xFCrgen";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FormatText("%s erreicht Stufe %d mit %u Punkten (%d%%)", {name, 12, 123456u, 75}));
}
BENCHMARK(BM_FormatText);

} // namespace
