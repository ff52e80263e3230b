#include "world/world.h"

#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

void ResetWorld() {
    TObjekt::Reset();
    Tmessage::Reset();
    TCritter::Reset();
    karte = TKarte();
}
