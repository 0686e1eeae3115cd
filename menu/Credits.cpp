// The closing credits: a particle spiral the player can steer; any other key ends the program.
#include "menu/MenuSystem.h"

#include <cmath>

#include "Libs/KeyCodes.h"
#include "game/Random.h"

namespace {

constexpr uint32_t white = 0xFFFFFFFF;
constexpr uint32_t grey = 0xFFAAAAAA;
constexpr uint32_t black = 0xFF000000;
constexpr float pi = 3.1415927f;

float clampUnit(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

} // namespace

void MenuSystem::startCredits() {
    directX->ShowCursor(0);
    for (OutroParticle& p : particles) p.active = 0;
    outroMode = 0;
    spawnCounter = 0;
    swirl = 0.7f;
    drift = 0.9f;
    page = CreditsPage;
}

void MenuSystem::moveCreditParticles() {
    spawnCounter += 1;
    if (spawnCounter > 0) {
        for (OutroParticle& p : particles) {
            if (p.active) continue;
            p.active = 1;
            const uint32_t red = static_cast<uint32_t>(Random::Draw() % 255);
            const uint32_t green = static_cast<uint32_t>(Random::Draw() % 255);
            const uint32_t blue = static_cast<uint32_t>(Random::Draw() % 255);
            p.colour = 0xFF000000 | (red << 16) | (green << 8) | blue;
            p.radius = drift <= 0.51f ? 1.0f : 0.0f;
            p.angle = static_cast<float>(Random::Draw() % 2000) * 0.001f;
            p.angularSpeed = static_cast<float>(Random::Draw() % 2000) * 0.001f - 1.0f;
            p.spin = static_cast<float>(Random::Draw() % 4000) * 0.001f;
            p.spinSpeed = static_cast<float>(Random::Draw() % 2000) * 0.001f - 1.0f;
            spawnCounter = 0;
            break;
        }
    }
    for (OutroParticle& p : particles) {
        if (!p.active) continue;
        p.radius += (drift - 0.5f) * 0.01f;
        p.angle += (swirl - 0.5f) * p.angularSpeed * 0.01f;
        p.spin += p.spinSpeed * 0.01f;
        if (p.radius > 1.0f || p.radius < 0.0f) p.active = 0;
        p.x = std::sin(p.angle * pi) * p.radius * 650.0f + 448.0f;
        p.y = std::cos(p.angle * pi) * p.radius * 650.0f + 320.0f - 40.0f;
    }
}

// Every line of the credits comes from the language file, so they read in the chosen language.
MenuSystem::CreditTexts MenuSystem::creditTexts() {
    return {text(700) + " " + text(703), text(701), text(704), text(702) + " " + text(705)};
}

void MenuSystem::drawCredits() {
    const CreditTexts credits = creditTexts();
    directX->DrawText(0, 230, credits.title, &captionFont, white, 1, 1024, 50, 0);
    directX->DrawText(0, 420, credits.thanksHeading, &statusFont, grey, 1, 1024, 50, 0);
    directX->DrawText(0, 500, credits.thanks, &statusFont, grey, 1, 1024, 200, 0);
}

void MenuSystem::runCredits(uint32_t ticks) {
    directX->Clear(0);
    drawCredits();
    for (uint32_t t = 0; t < ticks; ++t) moveCreditParticles();

    for (const OutroParticle& p : particles) {
        if (!p.active) continue;
        const int x = static_cast<int>(p.x);
        const int y = static_cast<int>(p.y);
        outroParticle.Draw(x, y, 0, 0, 0, p.spin, p.colour, 1);
        if (outroMode == 1) outroParticle.Draw(x + 32, y + 32, 64, 64, 0, 0.0f, p.colour, 1);
        if (outroMode == 2) outroParticle.Draw(x + 32, y + 32, 64, 64, 0, 0.0f, white, 1);
    }
    statusImage.Draw(0, 567, 0, 0, 0, 0.0f, 0, 0);
    drawVersionLine();
    directX->DrawText(40, 722, creditTexts().contact, &captionFont, black, 0, 0, 0, 1);

    // One white particle swings along the bottom every 6 s, a quarter turn a second.
    const uint32_t now = GetTickCount();
    const double swing = std::sin(static_cast<double>(now % 6000) * 0.0010471976);
    const int swingX = static_cast<int>(swing * 275.0 + 225.0) + 40;
    outroParticle.Draw(swingX, 650, 0, 0, 0, static_cast<float>(now % 4000) * 0.001f, white, 1);

    input->padMeaning = PadMeaning::Menus;
    while (input->ReadKey(1, 0, 0)) {
        const uint32_t key = input->event.offset;
        if (key == KeyF11) return; // the platform takes the picture
        switch (key) {
        case KeySpace:
            drift = 1.0f - drift;
            break;
        case KeyReturn:
            outroMode = (outroMode + 1) % 3;
            break;
        case KeyRight:
            swirl += 0.1f;
            break;
        case KeyLeft:
            swirl -= 0.1f;
            break;
        case KeyUp:
            drift += 0.1f;
            break;
        case KeyDown:
            drift -= 0.1f;
            break;
        default:
            directX->windowState = DirectXLib::Closed;
            break;
        }
        swirl = clampUnit(swirl);
        drift = clampUnit(drift);
    }
    while (input->ReadMouse(0, 1, 1)) directX->windowState = DirectXLib::Closed;
}
