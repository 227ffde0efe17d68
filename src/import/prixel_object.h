#pragma once
// The common root of the system's data objects: targets, writers, makers, families, the supplier
// catalogue and the works import engine.

#include "platform/object.h"

class CPrixelObject : public CObject {};
