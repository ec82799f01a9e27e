// How long each symbol of a Morse coded text sounds, and which characters are
// the symbols. QtCore only.
#pragma once

#include "engine/codes.h"

#include <QString>

#include <optional>

namespace velmora::sound {

inline constexpr int kMinWpm = 5;
inline constexpr int kMaxWpm = 60;
inline constexpr int kDefaultWpm = 20;
inline constexpr int kMinToneHz = 300;
inline constexpr int kMaxToneHz = 1200;
inline constexpr int kDefaultToneHz = 700;
inline constexpr int kMinSampleRate = 8000;
inline constexpr int kMaxSampleRate = 192000;
inline constexpr int kDefaultSampleRate = 44100;
// Every sign fades in and out over this long, so that none clicks.
inline constexpr double kRampMs = 5.0;

struct SoundSettings {
    int wpm = kDefaultWpm;
    // Farnsworth spacing: the overall speed, from kMinWpm to wpm. The signs of
    // a letter keep the wpm speed; only the gaps between letters and words
    // stretch. 0 means no stretching.
    int farnsworthWpm = 0;
    int toneHz = kDefaultToneHz;
    int sampleRate = kDefaultSampleRate;
};

// Empty when the settings can be used; otherwise one English sentence naming
// the value out of range and the range.
QString settingsError(const SoundSettings &settings);

// The lengths, in samples, that the symbols stand for. The unit (a dot) is
// 1200 / wpm milliseconds, rounded to whole samples; every other length is an
// exact multiple of the unit (or, with Farnsworth spacing, of the stretched
// spacing unit), so a dash is exactly three dots.
struct SignLengths {
    qint64 dot = 0;
    qint64 dash = 0;
    qint64 signGap = 0;   // between two signs of a letter
    qint64 letterGap = 0; // between letters
    qint64 wordGap = 0;   // between words (it takes in the letter gap)
    qint64 ramp = 0;      // rise and fall inside each sign
};
// Each value brought into its range (the Farnsworth speed to 0 or to
// kMinWpm .. wpm).
SoundSettings clampedSettings(const SoundSettings &settings);

// Settings out of range are clamped first.
SignLengths signLengths(const SoundSettings &settings);

// The characters a Morse code writes: a dot, a dash, the blank it puts between
// two dashes of a letter, and the mark that ends a letter (each further one is
// a word gap). Read off the code's own table.
struct MorseAlphabet {
    char16_t dot = 0;
    char16_t dash = 0;
    char16_t inLetterBlank = 0;
    char16_t letterEnd = 0;
};

// The alphabet of a code whose letters are written with two signs (Morse and
// Morse 2); nothing for the other codes, which have no sound.
std::optional<MorseAlphabet> morseAlphabet(CodeId code);

} // namespace velmora::sound
