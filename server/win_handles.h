// Owners for the platform resources the server holds: registry keys, BSTRs,
// COM interface pointers and memory from the COM task allocator. Each closes
// or releases what it holds when it goes; none can be copied.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <objbase.h>

#include <utility>

namespace server {

// Owner of a handle-like value whose "nothing" is T{} (null).
template <typename T, void (*Close)(T)>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T value) : value_(value) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != T{}; }

    // For out-parameters: drops the current value first.
    T* put() {
        reset();
        return &value_;
    }
    T release() { return std::exchange(value_, T{}); }
    void reset(T value = T{}) {
        if (value_ != T{}) Close(value_);
        value_ = value;
    }

private:
    T value_{};
};

namespace detail {
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void FreeBstr(BSTR text) { SysFreeString(text); }
inline void FreeTaskText(LPOLESTR text) { CoTaskMemFree(text); }
}  // namespace detail

using UniqueHkey = UniqueHandle<HKEY, &detail::CloseKey>;
using UniqueBstr = UniqueHandle<BSTR, &detail::FreeBstr>;
using UniqueTaskText = UniqueHandle<LPOLESTR, &detail::FreeTaskText>;

// Owner of one reference to a COM interface.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }

    I* get() const { return ptr_; }
    I* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    I** put() {
        reset();
        return &ptr_;
    }
    void reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }

private:
    I* ptr_ = nullptr;
};

// The library attributes of a type library, given back to it when done.
class LibAttr {
public:
    explicit LibAttr(ITypeLib* lib) : lib_(lib) {
        if (FAILED(lib_->GetLibAttr(&attr_))) attr_ = nullptr;
    }
    ~LibAttr() {
        if (attr_) lib_->ReleaseTLibAttr(attr_);
    }
    LibAttr(const LibAttr&) = delete;
    LibAttr& operator=(const LibAttr&) = delete;

    const TLIBATTR* get() const { return attr_; }
    const TLIBATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeLib* lib_;
    TLIBATTR* attr_ = nullptr;
};

}  // namespace server
