#include "app/menus.h"

// Until the dialog exists a finished death explosion leaves both characters
// where they fell.
void RunDeathDialog(PlayerRecord*, PlayerRecord*) {}
