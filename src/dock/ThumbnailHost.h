#pragma once
// Live pictures of other windows drawn by the Desktop Window Manager into
// ours. Behind an interface so that the preview's use of them (what is
// registered, queried and let go, and when) can be watched without DWM.

#include "base/Geometry.h"

#include <windows.h>

#include <dwmapi.h>

#include <utility>

namespace corvane {

class ThumbnailHost {
public:
    virtual ~ThumbnailHost() = default;
    // Null when the system cannot show `source` in `destination`.
    [[nodiscard]] virtual HTHUMBNAIL Register(HWND destination, HWND source) noexcept = 0;
    // Shows the whole source window (not only its client area), fully
    // opaque, into `destination` (client pixels), or hides it.
    virtual bool SetProperties(HTHUMBNAIL thumbnail, const PixelRect& destination,
                               bool visible) noexcept = 0;
    // Only for a registered thumbnail: some systems end the process when
    // asked about anything else.
    [[nodiscard]] virtual bool QuerySourceSize(HTHUMBNAIL thumbnail, SIZE& size) noexcept = 0;
    virtual void Unregister(HTHUMBNAIL thumbnail) noexcept = 0;
};

// The Desktop Window Manager's own.
class DwmThumbnails final : public ThumbnailHost {
public:
    HTHUMBNAIL Register(HWND destination, HWND source) noexcept override;
    bool SetProperties(HTHUMBNAIL thumbnail, const PixelRect& destination,
                       bool visible) noexcept override;
    bool QuerySourceSize(HTHUMBNAIL thumbnail, SIZE& size) noexcept override;
    void Unregister(HTHUMBNAIL thumbnail) noexcept override;
};

// One registered thumbnail, let go with its owner.
class UniqueThumbnail {
public:
    UniqueThumbnail() noexcept = default;
    UniqueThumbnail(ThumbnailHost& host, HTHUMBNAIL thumbnail) noexcept
        : host_(&host), thumbnail_(thumbnail) {}
    ~UniqueThumbnail() { Reset(); }
    UniqueThumbnail(const UniqueThumbnail&) = delete;
    UniqueThumbnail& operator=(const UniqueThumbnail&) = delete;
    UniqueThumbnail(UniqueThumbnail&& other) noexcept
        : host_(other.host_), thumbnail_(std::exchange(other.thumbnail_, nullptr)) {}
    UniqueThumbnail& operator=(UniqueThumbnail&& other) noexcept {
        if (this != &other) {
            Reset();
            host_ = other.host_;
            thumbnail_ = std::exchange(other.thumbnail_, nullptr);
        }
        return *this;
    }

    [[nodiscard]] HTHUMBNAIL Get() const noexcept { return thumbnail_; }
    [[nodiscard]] explicit operator bool() const noexcept { return thumbnail_ != nullptr; }
    void Reset() noexcept {
        if (thumbnail_ != nullptr && host_ != nullptr) {
            host_->Unregister(std::exchange(thumbnail_, nullptr));
        }
    }

private:
    ThumbnailHost* host_ = nullptr;
    HTHUMBNAIL thumbnail_ = nullptr;
};

}  // namespace corvane
