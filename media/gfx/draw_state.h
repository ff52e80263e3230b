// The drawing state of the open mode; OpenGraphics resets it.
#pragma once

void ResetDrawState();
