#pragma once
// A guarded heap for tests that prove no object is used after it was deleted: while
// guarding is on, every `new` gets pages of its own, and deleting such an object
// makes its pages inaccessible for the rest of the process instead of freeing them.
// Any later read or write of it faults at once (the test process crashes), where
// the ordinary heap would let it pass unnoticed.

namespace velmora::test {

void GuardNewAllocations(bool on);
// Objects deleted so far whose pages are now inaccessible.
int GuardedDeletions();

}  // namespace velmora::test
