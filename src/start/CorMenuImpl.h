#pragma once
// What CorMenu keeps between messages: its view, lists, layout, user and
// painter. Shared by the menu's window, input and painting code only.

#include "identity/IconLoader.h"
#include "start/CorMenu.h"
#include "start/CorMenuPainter.h"
#include "start/LetterRows.h"
#include "start/MenuLayout.h"

#include <d2d1.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

struct CorMenu::Impl {
    MenuState menu;
    std::vector<AppEntry> pinned;
    std::vector<AppEntry> results;
    std::vector<LetterRow> letterRows;
    const AppEntry* rowsFrom = nullptr;
    std::size_t rowsCount = 0;
    MenuLayout layout;
    bool tracking = false;
    std::wstring userName;
    IconSourceBitmap avatar;
    uint32_t avatarSize = 0;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> avatarBitmap;
    std::unique_ptr<CorMenuPainter> painter;
    // What readers were last told of.
    std::wstring announcedQuery;
    MenuItemId announcedItem{};
    bool announcedSearch = true;
};

}  // namespace corvane
