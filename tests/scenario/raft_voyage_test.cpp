// From bare hands to the raft: every tool of the recipe chain is made, the
// supplies are gathered and three plank pairs are laid on the beach.
#include "raft_voyage.h"

using namespace scenario;

TEST_F(RaftVoyage, ToolsSuppliesAndRaftLeadToTheVictoryScreen) {
    StartOn(VoyageIsland());
    SailAway();
}
