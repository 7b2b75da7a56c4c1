// The game tick: everything that happens when Timer1 expires.
#pragma once

#include "game/form1.h"

namespace brontix::tick {

void Timer1_Timer(game::Form1& form);

// One expiry of Timer1, as every front end delivers it: it runs the tick
// only while the timer is enabled and no tick is running. Returns whether a
// tick ran.
bool expire(game::Form1& form);

}  // namespace brontix::tick
