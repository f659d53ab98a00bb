#include "registration.h"

#include "client.h"
#include "core/brands.h"
#include "profile_io.h"

namespace dbcaps {

int registerCursor(unsigned cursor) {
  CursorFacts facts = detectCursor(cursor);
  std::optional<int> previous = recordCursor(cursor, facts.brand);
  if (facts.brand == 0) {
    if (previous) releaseContext(findContext(*previous));
    return 0;
  }
  // A cursor holds one reference however often it is registered, so that
  // one release always lets its brand go.
  if (previous == facts.brand && findContext(facts.brand)) return facts.brand;
  if (previous) releaseContext(findContext(*previous));
  if (Context* c = findContext(facts.brand)) {
    ++c->references;
    return facts.brand;
  }
  Context* c = createContext(facts.brand, Placement::Front, true);
  if (c) {
    if (auto profile = profileFor(facts)) applyProfile(c, cursor, *profile);
  }
  return facts.brand;
}

int releaseCursor(unsigned cursor) {
  CursorEntry* entry = findCursor(cursor);
  if (!entry) return 0;
  int brand = entry->brand;
  forgetCursor(cursor);
  if (brand == 0) return 0;
  releaseContext(findContext(brand));
  return 1;
}

int brandOfCursor(unsigned cursor) {
  CursorEntry* entry = findCursor(cursor);
  if (!entry) return registerCursor(cursor);
  // The brand's context may have been released by brand since: take it again.
  if (entry->brand != 0 && findBrand(entry->brand) && !findContext(entry->brand)) return registerCursor(cursor);
  return entry->brand;
}

Context* contextForCursor(unsigned cursor) {
  int brand = brandOfCursor(cursor);
  return brand ? findContext(brand) : nullptr;
}

bool isBrandType(int type) { return type >= 1 && type <= kMaxBrand; }

bool registerBrand(int type) {
  if (!isBrandType(type) || type == kGenericOdbc) return false;
  if (Context* c = findContext(type)) {
    ++c->references;
    return true;
  }
  return createContext(type, Placement::Back, false) != nullptr;
}

bool releaseBrand(int type) {
  if (!isBrandType(type)) return false;
  Context* c = findContext(type);
  if (!c) return false;
  releaseContext(c);
  return true;
}

} // namespace dbcaps
