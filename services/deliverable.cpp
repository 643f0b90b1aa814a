// The process-wide deliverable switch.
#include "services/deliverable.h"

static KestrinDeliverable g_deliverable = DELIVERABLE_COMPOSER;

void SetDeliverable(KestrinDeliverable deliverable) { g_deliverable = deliverable; }

KestrinDeliverable GetDeliverable() { return g_deliverable; }
