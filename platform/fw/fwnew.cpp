// The global operator new of each module that links the framework: a
// failed allocation raises CMemoryException, which the framework's guards
// catch (std::bad_alloc would pass them by). Tests can make allocations
// fail on purpose and count the ones still live.
#include "fwexcept.h"
#include <cstdlib>
#include <new>

namespace {
unsigned allocationsToSkip = 0;
unsigned allocationsToFail = 0;
long liveAllocations = 0;

bool injectedFailure() {
  if (allocationsToFail == 0) return false;
  if (allocationsToSkip > 0) {
    --allocationsToSkip;
    return false;
  }
  --allocationsToFail;
  return true;
}

void* allocate(std::size_t size) {
  if (injectedFailure()) return nullptr;
  void* p = std::malloc(size ? size : 1);
  if (p) ++liveAllocations;
  return p;
}

void release(void* p) {
  if (!p) return;
  --liveAllocations;
  std::free(p);
}
}  // namespace

void FwFailAllocations(unsigned count, unsigned skip) {
  allocationsToFail = count;
  allocationsToSkip = skip;
}

long FwLiveAllocations() { return liveAllocations; }

void* operator new(std::size_t size) {
  if (void* p = allocate(size)) return p;
  AfxThrowMemoryException();
}

void* operator new[](std::size_t size) {
  if (void* p = allocate(size)) return p;
  AfxThrowMemoryException();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
