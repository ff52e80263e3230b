// Frame figures for the page's measuring script (tests/web/measure.mjs): how
// long the program worked between two presents, and when the first frame
// reached the page.
#pragma once

namespace media_internal {

// Called by Flip before it presents. `drawCalls` are those of the frame
// presented at the start of the span that ends here, 0 when that frame
// repeated the one shown and was not drawn. Each span's work (wall
// time without the time spent in Pause, where the browser runs) is appended
// to Module.palmutFrames as [ms, drawCalls] while a script keeps that array;
// the first call sets Module.palmutFirstFlipMs and, once the browser next
// paints, Module.palmutFirstFrameMs (both on the page's performance.now()).
void ReportFrame(int drawCalls);

} // namespace media_internal
