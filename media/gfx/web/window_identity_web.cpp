// How the page names the game: the tab's title comes from SetWindowTitle,
// the tab's icon from index.html; there is no desktop to tell anything else.
#include "media/graphics.h"

void SetApplicationIdentity(const std::string&, const std::string&) {}

void SetWindowIcon(const std::string&) {}
