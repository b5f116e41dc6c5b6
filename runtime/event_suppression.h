#pragma once
// The event suppression counter: while it is above 0 no handler of the program
// runs. It is raised while a control is re-created, while a runtime error is being
// reported and from the start of shutdown on (those two never lower it again).

namespace velmora {

void SuppressEvents();
void ResumeEvents();  // never below 0
bool EventsSuppressed();

}  // namespace velmora
