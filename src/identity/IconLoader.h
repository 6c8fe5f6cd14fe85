#pragma once
// The one icon loader of every surface: a launch target in, a square bitmap
// of the wanted pixel size out, premultiplied BGRA and owning its pixels, so
// that painting only turns it into a Direct2D bitmap once per surface.
// Runs on any thread that has initialised COM; keeps no shared state.

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

namespace corvane {

// 32 bpp premultiplied BGRA (GUID_WICPixelFormat32bppPBGRA); empty when no
// icon could be made.
using IconSourceBitmap = Microsoft::WRL::ComPtr<IWICBitmapSource>;

// This thread's imaging factory for the loader (held until replaced). The
// GUI thread is given the process-wide one at start-up; a worker thread sets
// its own at its start; each sets none before it ends.
void SetThreadImagingFactory(IWICImagingFactory* factory) noexcept;

// The factory the loader uses on this thread; null when there is none.
[[nodiscard]] IWICImagingFactory* CurrentImagingFactory() noexcept;

// path: a file, folder or "shell:AppsFolder\..." parsing name. Executables
// and DLLs give their first icon group's largest image when it is at least
// 32 pixels wide; everything else, and smaller icons, the shell's image.
[[nodiscard]] IconSourceBitmap LoadIconBitmap(const std::wstring& path, int32_t size) noexcept;

// The two sources LoadIconBitmap chooses between.
[[nodiscard]] IconSourceBitmap LoadModuleIconBitmap(IWICImagingFactory* factory,
                                                    const std::wstring& path,
                                                    int32_t size) noexcept;
[[nodiscard]] IconSourceBitmap LoadShellIconBitmap(IWICImagingFactory* factory,
                                                   const std::wstring& path, int32_t size) noexcept;

// Crops icons that fill little of their canvas (see IconTrim.h), scales to
// size x size and materialises the result in premultiplied BGRA.
[[nodiscard]] IconSourceBitmap TrimAndScale(IWICImagingFactory* factory, IWICBitmapSource* source,
                                            int32_t size) noexcept;

}  // namespace corvane
