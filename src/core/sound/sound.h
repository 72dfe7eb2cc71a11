#pragma once
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

void modSound_Init(Game& g);
void modSound_Play(Game& g, int32_t number);

} // namespace gf
