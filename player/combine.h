// The combine branch of the castaway's actions: recipes, raft and departure.
#pragma once

class TPlayer;

void CombinePicks(TPlayer& p);
