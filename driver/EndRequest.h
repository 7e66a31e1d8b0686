// What a request to end the program gets: a close of the window (also by
// Cancel or Close), a signal (SIGTERM, SIGINT, SIGHUP, to the window or to a
// command-line run), a desktop logout.
// Ending while the router is being changed (its firmware flashed, its
// settings restored, a restart asked for) can leave it without its settings
// or unable to start; ending a run before that changes nothing on the router.
#pragma once

#include <functional>

enum class TEndAnswer {
    Refuse,  // the router is being changed: the run goes on
    EndNow,  // a run has not changed the router yet: end at once, before it does
    Close,   // no run, or it has ended: close as usual
};

TEndAnswer AnswerEndRequest(bool routerChanging, bool runInProgress);

// Whether a logout is answered with cancel: while the router is being
// changed, when the session manager lets the program take part (it is asked,
// through askToInteract, only then).
bool CancelsLogout(bool routerChanging, const std::function<bool()>& askToInteract);
