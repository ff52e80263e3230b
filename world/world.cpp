#include "world/world.h"

#include "world/critter.h"
#include "world/karte.h"
#include "world/message.h"
#include "world/objekt.h"

void ResetWorld() {
    TObjekt::list.clear();
    Tmessage::list.clear();
    TCritter::list.clear();
    karte = TKarte();
}
