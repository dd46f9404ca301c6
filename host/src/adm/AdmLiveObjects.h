// The dialog manager's registry of live objects. Every reference the plug-in holds (dialog, item, list,
// entry, drawer, tracker, notifier) is checked here before it is used, so that a call on a reference whose
// object is gone does nothing instead of touching freed memory.
#pragma once

namespace vendrel::adm {

enum class Kind { dialog, item, list, entry, drawer, tracker, notifier };

void markLive(const void* object, Kind kind);
void markDead(const void* object);
bool isLive(const void* object, Kind kind);

// The model behind a reference, or null when the reference names no live object of that kind.
template <class Model, class Ref> Model* liveModel(Ref ref, Kind kind)
{
    return isLive(static_cast<const void*>(ref), kind) ? reinterpret_cast<Model*>(ref) : nullptr;
}

template <class Ref, class Model> Ref refOf(Model* model)
{
    return reinterpret_cast<Ref>(model);
}

// Keeps a short-lived object (a drawer, tracker or notifier handed to one callback) live for its scope.
class ScopedLive {
public:
    ScopedLive(const void* object, Kind kind) : object_(object) { markLive(object, kind); }
    ~ScopedLive() { markDead(object_); }
    ScopedLive(const ScopedLive&) = delete;
    ScopedLive& operator=(const ScopedLive&) = delete;

private:
    const void* object_;
};

} // namespace vendrel::adm
