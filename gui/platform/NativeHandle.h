// Handles of the platform's own objects (windows, devices, bitmaps, pens, brushes, fonts, modules,
// dragged data), opaque to the toolkit. The toolkit only stores and passes them along; a platform's
// backend says which native type each kind stands for, and only code that includes that backend
// converts between the two.
#pragma once

#include <cstddef>
#include <type_traits>

namespace gui {

// A backend specializes this for each kind with `using type = <native pointer type>;`. The
// primary names a type no code passes, so without a backend nothing converts.
template <typename Kind>
struct NativeTypeOf {
    struct Unconvertible;
    using type = Unconvertible*;
};

// Kind, looked up through T so that a backend is consulted only where a conversion is asked for,
// never when a header merely declares a handle.
template <typename Kind, typename T>
struct KindFor {
    using type = Kind;
};

template <typename Kind>
class NativeHandle {
    template <typename T>
    using IfNative = std::enable_if_t<
        std::is_same_v<T*, typename NativeTypeOf<typename KindFor<Kind, T>::type>::type>, int>;

  public:
    constexpr NativeHandle() = default;
    constexpr NativeHandle(std::nullptr_t) {}
    template <typename T, IfNative<T> = 0>
    NativeHandle(T* native) : value(native) {}
    template <typename T, IfNative<T> = 0>
    operator T*() const {
        return static_cast<T*>(value);
    }

    explicit operator bool() const { return value != nullptr; }
    // For the rare handle that carries an object of another kind (an offscreen context keeps its
    // memory bitmap where a window would be).
    void* address() const { return value; }
    static NativeHandle atAddress(void* address) {
        NativeHandle handle;
        handle.value = address;
        return handle;
    }
    friend bool operator==(NativeHandle a, NativeHandle b) { return a.value == b.value; }
    friend bool operator!=(NativeHandle a, NativeHandle b) { return a.value != b.value; }
    template <typename T, IfNative<T> = 0>
    friend bool operator==(NativeHandle a, T* native) {
        return a.value == native;
    }
    template <typename T, IfNative<T> = 0>
    friend bool operator==(T* native, NativeHandle a) {
        return a.value == native;
    }
    template <typename T, IfNative<T> = 0>
    friend bool operator!=(NativeHandle a, T* native) {
        return a.value != native;
    }
    template <typename T, IfNative<T> = 0>
    friend bool operator!=(T* native, NativeHandle a) {
        return a.value != native;
    }

  private:
    void* value = nullptr;
};

struct WindowKind;
struct DeviceKind;
struct BitmapKind;
struct PenKind;
struct BrushKind;
struct FontKind;
struct ModuleKind;
struct DragDataKind;
struct CursorKind;

using NativeWindow = NativeHandle<WindowKind>;
using NativeDevice = NativeHandle<DeviceKind>;
using NativeBitmap = NativeHandle<BitmapKind>;
using NativePen = NativeHandle<PenKind>;
using NativeBrush = NativeHandle<BrushKind>;
using NativeFont = NativeHandle<FontKind>;
using NativeModule = NativeHandle<ModuleKind>;
using NativeDragData = NativeHandle<DragDataKind>;
using NativeCursor = NativeHandle<CursorKind>;

static_assert(sizeof(NativeWindow) == sizeof(void*), "a handle is exactly one native pointer");

}  // namespace gui
