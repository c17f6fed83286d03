#ifndef DERELICT_GAME_PLAYER_H_
#define DERELICT_GAME_PLAYER_H_

#include <cstdint>

// The player's state at the start of a game: health, the start room rooms[START_X][START_Y],
// the key level and the damage of the blaster pistol.
inline constexpr int32_t START_HEALTH = 15;
inline constexpr int32_t START_X = 2;
inline constexpr int32_t START_Y = 3;
inline constexpr int32_t START_KEY_LEVEL = 1;
inline constexpr int32_t START_DAMAGE = 2;

// The final room, rooms[FINAL_X][FINAL_Y], where look and shoot end the game.
inline constexpr int32_t FINAL_X = 4;
inline constexpr int32_t FINAL_Y = 1;

#endif  // DERELICT_GAME_PLAYER_H_
