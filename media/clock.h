// Millisecond clock, sleep and the seeded random generator.
#pragma once

// Milliseconds of a monotonic clock; wraps, so only differences matter.
int Millis();
// Sleeps ms milliseconds; a negative value returns at once.
void Pause(int ms);

void SeedRandom(int seed);
// Uniform over the inclusive range between lo and hi, in either order.
int RandomInt(int lo, int hi);
