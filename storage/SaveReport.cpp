#include "storage/SaveReport.h"

#include "storage/Settings.h"

namespace {

// The language text that says why, by problem.
struct ProblemText {
    SaveProblem problem;
    int text;
};
constexpr ProblemText problemTexts[] = {
    {SaveProblem::NotCreated, 802},  {SaveProblem::DiskFull, 803},
    {SaveProblem::NotWritten, 804},  {SaveProblem::NotReplaced, 805},
    {SaveProblem::NameRefused, 806},
};

int textOf(SaveProblem problem) {
    for (const ProblemText& p : problemTexts)
        if (p.problem == problem) return p.text;
    return 804;
}

} // namespace

std::string saveFailureText(const std::vector<SaveFailure>& failures,
                            const std::function<std::string(int)>& text) {
    std::string report = text(801);
    for (const SaveFailure& f : failures)
        report += "\n" + f.fileName + ": " + text(textOf(f.problem));
    return report;
}

void loadChosenLanguage(LanguageTable& language) {
    Settings settings;
    readSettingsFile(settings);
    if (!language.Load("language/" + settings.languageName + ".txt"))
        language.Load("language/Deutsch.txt");
}
