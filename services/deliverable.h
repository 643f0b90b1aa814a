// Which program this process is: the shared services differ in a few places between the two.
#pragma once

enum KestrinDeliverable {
    DELIVERABLE_COMPOSER,
    DELIVERABLE_CONVERTER,
};

// Set once by each program at start (the composer is the default).
void SetDeliverable(KestrinDeliverable deliverable);
KestrinDeliverable GetDeliverable();
inline bool IsConverterDeliverable() { return GetDeliverable() == DELIVERABLE_CONVERTER; }
