#pragma once
#include <array>
#include <cstdint>

namespace gf {
struct Game;

namespace SoundId {
inline constexpr uint8_t CaneSwish = 1;
inline constexpr uint8_t Punch = 2;
inline constexpr uint8_t Walk = 3;
inline constexpr uint8_t DoorOpen = 4;
inline constexpr uint8_t DoorClose = 5;
inline constexpr uint8_t Ow = 7;
inline constexpr uint8_t Beep1 = 8;
inline constexpr uint8_t WhistleUp = 10;
inline constexpr uint8_t WhistleDown = 11;
inline constexpr uint8_t Ready = 12;
inline constexpr uint8_t Beep2 = 13;
} // namespace SoundId

struct SoundFile {
    int number;
    const char* file;
};
// The order the buffers are filled in: beep2 comes ninth.
inline constexpr std::array<SoundFile, 13> kSoundFiles{{{1, "caneswish.wav"},
                                                        {2, "punch.wav"},
                                                        {3, "walk.wav"},
                                                        {4, "dooropen.wav"},
                                                        {5, "doorclose.wav"},
                                                        {6, "mouse.wav"},
                                                        {7, "ow.wav"},
                                                        {8, "beep1.wav"},
                                                        {13, "beep2.wav"},
                                                        {9, "snakehiss.wav"},
                                                        {10, "whistleup.wav"},
                                                        {11, "whistledown.wav"},
                                                        {12, "ready.wav"}}};

void loadSounds(Game& g);
void playSound(Game& g, int32_t number);

} // namespace gf
