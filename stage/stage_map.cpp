// The two worlds' maps.
#include "stage/stage_map.h"

StageMap WorldMapA;
StageMap WorldMapB;
