// The game state as JSON, for tests and for players who compare runs.
#pragma once

#include <string>

// Takes the state as it stands; WinMain calls it as the game ends, before
// anything is released.
void CaptureGameState();
// The run's own capture, only when --dump-state asks for one: the first call
// takes it (the moment the end was asked for), later ones keep it.
void CaptureFinalState();
struct PlayerRecord;
struct EnemyTable;
// The worlds' records belong to WinMain; it shows them to the dump once.
void SetDumpWorlds(const PlayerRecord* playerA, const PlayerRecord* playerB, const EnemyTable* enemiesA,
                   const EnemyTable* enemiesB);
// WinMain takes them back before it returns: a later dump without a capture
// then holds no worlds rather than reading freed ones.
void ForgetDumpWorlds();
bool WriteGameState(const std::string& path);
// The worlds' records as WinMain showed them (null before), for the soak's checks.
const PlayerRecord* DumpedPlayer(int world);
const EnemyTable* DumpedEnemies(int world);
