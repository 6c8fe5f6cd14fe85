#pragma once
// The IUnknown every COM object of ours implements the same way: COM may call
// it from any thread, so the count is atomic, and the last release deletes the
// object. A subclass names the interfaces it answers to beyond IUnknown.

#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace corvane {

template <typename Interface>
class ComObject : public Interface {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || Answers(iid)) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~ComObject() = default;
    [[nodiscard]] virtual bool Answers(REFIID iid) const noexcept = 0;

private:
    std::atomic<ULONG> references_{1};
};

}  // namespace corvane
