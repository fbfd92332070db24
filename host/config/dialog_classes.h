// The settings dialog's class vocabulary: the classes its layout data (lunaquill_p.layout) may use,
// and the keys each one knows.
#pragma once

#include "forms/layout.h"

const ClassSchema* HostClasses(int* count);
