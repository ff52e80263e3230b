// Millisecond clock, sleep and the seeded random generator.
#pragma once

// Called by every timed rule: milliseconds of a monotonic clock (the virtual
// clock in tests); wraps, so only differences matter.
int Millis();
// Called at the end of every pass: sleeps ms milliseconds (advances the virtual
// clock at once in tests); a negative value returns at once.
void Pause(int ms);
// Called by the main loop around the rules of each play pass: while held,
// Millis() answers ms, so every rule of one pass reads one time and a replay
// can hand back the time recorded. Pause still waits on the clock beneath.
void HoldMillis(int ms);
void ReleaseMillis();

// Called once by start-up with the clock, and by tests with a fixed seed: restarts
// the one random sequence every rule draws from.
void SeedRandom(int seed);
// Called by the rules, one draw per statement: uniform over the inclusive range
// between lo and hi, in either order.
int RandomInt(int lo, int hi);
// Called by replay recording when a game starts: the generator's state, from
// which SeedRandom continues the sequence exactly.
int RandomState();
