// The combine branch of the castaway's actions: recipes, raft and departure.
#pragma once

class TPlayer;

// Plank pairs a raft needs before the castaway can think of leaving.
constexpr int RAFT_PAIRS_NEEDED = 3;

void CombinePicks(TPlayer& p);
