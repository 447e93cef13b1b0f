#pragma once

namespace platform {

// A request to end from outside (SIGTERM, SIGINT) at any time, start-up
// included: the handler only notes it, and the start-up and the main loop
// end the game in order when they see it. Installed before anything else,
// so that no library's own handler (SDL's turns the signal into an event a
// start-up may drain) takes the signal over. The two signals are unblocked
// for the calling thread (and the threads it starts), so a request held by
// an inherited mask, or that came while the program was loading, arrives.
void InstallTerminationHandler();

// True once a request to end has arrived.
bool TerminationRequested();

} // namespace platform
