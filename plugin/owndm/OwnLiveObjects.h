// The references the module's own dialog manager hands out are the addresses of its objects. Every suite call
// checks here that a reference names a live object of the kind it expects, so that a call on a reference whose
// object is gone does nothing instead of touching freed memory.
#pragma once

namespace owndm {

enum class Kind { dialog, item, list, entry, drawer, tracker, notifier };

void MarkLive(const void* object, Kind kind);
void MarkDead(const void* object);
bool IsLive(const void* object, Kind kind);

// The object behind a reference, or null when the reference names no live object of that kind.
template <class Model, class Ref> Model* LiveObject(Ref ref, Kind kind)
{
    return IsLive(static_cast<const void*>(ref), kind) ? reinterpret_cast<Model*>(ref) : nullptr;
}

// Keeps an object live for the scope of this guard: a drawer, tracker or notifier handed to one callback.
class ScopedLive {
public:
    ScopedLive(const void* object, Kind kind) : fObject(object) { MarkLive(object, kind); }
    ~ScopedLive() { MarkDead(fObject); }
    ScopedLive(const ScopedLive&) = delete;
    ScopedLive& operator=(const ScopedLive&) = delete;

private:
    const void* fObject;
};

} // namespace owndm
