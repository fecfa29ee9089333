// Ctrl: skill points buy skill levels.
#pragma once

struct PlayerRecord;

void RunSkillMenu(PlayerRecord* active, PlayerRecord* other);
