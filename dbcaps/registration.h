// Registering and releasing brands, by cursor and by brand type.
#pragma once
#include "context.h"

namespace dbcaps {

// The cursor's brand (0: undetermined); its context gains a reference.
int registerCursor(unsigned cursor);
// 1 after releasing; 0 when the cursor is not registered or its brand is 0.
int releaseCursor(unsigned cursor);
// The context of a cursor's brand, registering the cursor on first use;
// nullptr for a brand without a record.
Context* contextForCursor(unsigned cursor);
// The brand of a registered cursor, registering it on first use.
int brandOfCursor(unsigned cursor);

bool isBrandType(int type);  // 1..149
// Registers a brand without a cursor: false for 31, an empty slot, no memory.
bool registerBrand(int type);
bool releaseBrand(int type);

} // namespace dbcaps
