#include "growth/skill_menu.h"

// The menu closes at once until its screen exists.
void RunSkillMenu(PlayerRecord*, PlayerRecord*) {}
