// Shared ownership for views, bitmaps, drawing contexts and drag containers. The count is plain:
// every toolkit object lives on the user-interface thread.
#pragma once

#include <cstdint>
#include <memory>

namespace gui {

class CReferenceCounter {
  public:
    CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    virtual ~CReferenceCounter() = default;
    // Drops one holder; the last one destroys the object, which the caller must not touch again.
    virtual void release() {
        if (--referenceCount == 0) delete this;
    }
    virtual void retain() { ++referenceCount; }

    std::int32_t getNbReference() const { return referenceCount; }

  private:
    std::int32_t referenceCount = 1;
};

// Gives back one reference when the scope ends: for objects handed out retained for the length
// of a call, such as the frame's drawing contexts.
struct ReleaseReference {
    void operator()(CReferenceCounter* object) const {
        if (object) object->release();
    }
};
template <typename T>
using ScopedReference = std::unique_ptr<T, ReleaseReference>;

// One more reference for the holder's scope: the object outlives whatever the calls in it do to
// its other owners (a listener closing the editor, for one).
template <typename T>
ScopedReference<T> keptAlive(T* object) {
    if (object) object->retain();
    return ScopedReference<T>(object);
}

}  // namespace gui
