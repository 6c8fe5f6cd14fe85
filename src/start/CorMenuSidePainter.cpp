#include "start/CorMenuPainter.h"

#include "config/Texts.h"

#include <d2d1helper.h>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kGlyphPerson[] = L"\xE77B";
constexpr wchar_t kGlyphPower[] = L"\xE7E8";

constexpr float kAbsentLetterAlpha = 0.22f;

// Right column.
constexpr float kHairlineTopInset = 4.0f;  // below the header's top
constexpr float kHairlineBottomInset = 62.0f;
constexpr float kAvatarCentre = 30.0f;  // from the card's left
constexpr float kAvatarRadius = 20.0f;
constexpr float kAvatarPlaceholderAlpha = 0.12f;
constexpr float kUserNameLeft = 60.0f;
constexpr float kUserNameRightInset = 8.0f;
constexpr float kPlaceGlyphWidth = 28.0f;
constexpr float kPlaceLabelLeft = 36.0f;
constexpr float kBottomLineInset = 12.0f;
constexpr float kPowerGlyphLeft = 8.0f;
constexpr float kPowerLabelLeft = 30.0f;

}  // namespace

const wchar_t* CorMenuPainter::PowerLabel() noexcept {
    return corvane::Text(TextId::Power);
}

void CorMenuPainter::DrawLetterCells() {
    const Theme& theme = *in_->theme;
    for (const MenuLetterCell& cell : in_->layout->cells) {
        const bool lit =
            cell.present && Highlight(cell.rect, {MenuHit::LetterCell, cell.letter}, kLargeRadius);
        // High contrast has no faint text: an absent letter is grey.
        const ColorF& ink = lit                                   ? theme.selectedText
                            : theme.highContrast && !cell.present ? theme.secondaryText
                                                                  : theme.text;
        SetColor(ink, cell.present ? 1.0f : kAbsentLetterAlpha);
        Text(std::wstring_view(&cell.letter, 1), kIndexLetter, cell.rect,
             DWRITE_TEXT_ALIGNMENT_CENTER);
    }
}

void CorMenuPainter::DrawRightColumn() {
    const Theme& theme = *in_->theme;
    const MenuLayout& layout = *in_->layout;
    SetColor(theme.hairline, 1.0f);
    in_->target->FillRectangle(
        D2D1::RectF(layout.split, layout.userCard.top + kHairlineTopInset, layout.split + 1.0f,
                    layout.height - kHairlineBottomInset),
        in_->brush);

    const PointRect& card = layout.userCard;
    const ColorF& cardInk =
        Highlight(card, {MenuHit::UserCard, -1}, kLargeRadius) ? theme.selectedText : theme.text;
    const D2D1_POINT_2F centre =
        D2D1::Point2F(card.left + kAvatarCentre, (card.top + card.bottom) / 2.0f);
    const D2D1_ELLIPSE circle = D2D1::Ellipse(centre, kAvatarRadius, kAvatarRadius);
    ComPtr<ID2D1BitmapBrush> picture;
    if (in_->avatar != nullptr &&
        SUCCEEDED(in_->target->CreateBitmapBrush(in_->avatar, &picture))) {
        const D2D1_SIZE_F size = in_->avatar->GetSize();
        const float scale = size.width > 0 ? 2.0f * kAvatarRadius / size.width : 1.0f;
        picture->SetTransform(
            D2D1::Matrix3x2F::Scale(scale, scale) *
            D2D1::Matrix3x2F::Translation(centre.x - kAvatarRadius, centre.y - kAvatarRadius));
        picture->SetOpacity(in_->progress);
        in_->target->FillEllipse(circle, picture.Get());
    } else {
        SetColor(theme.text, kAvatarPlaceholderAlpha);
        in_->target->FillEllipse(circle, in_->brush);
        SetColor(theme.text, 1.0f);
        Text(kGlyphPerson, kGlyph,
             {centre.x - kAvatarRadius, card.top, centre.x + kAvatarRadius, card.bottom},
             DWRITE_TEXT_ALIGNMENT_CENTER);
    }
    SetColor(cardInk, 1.0f);
    Text(in_->userName, kUserName,
         {card.left + kUserNameLeft, card.top, card.right - kUserNameRightInset, card.bottom});

    for (const MenuPlaceRow& row : layout.places) {
        const PointRect& r = row.rect;
        if (row.place->action < 0) {
            SetColor(theme.hairline, 1.0f);
            in_->target->FillRectangle(Rect(r), in_->brush);
            continue;
        }
        const bool lit = Highlight(r, {MenuHit::Place, row.place->action}, kSmallRadius);
        SetColor(lit ? theme.selectedText : theme.text, 1.0f);
        Text(std::wstring_view(&row.place->glyph, 1), kGlyph,
             {r.left, r.top, r.left + kPlaceGlyphWidth, r.bottom}, DWRITE_TEXT_ALIGNMENT_CENTER);
        Text(corvane::Text(row.place->name), kRowName,
             {r.left + kPlaceLabelLeft, r.top, r.right - kNameRight, r.bottom});
    }
}

void CorMenuPainter::DrawPower() {
    const Theme& theme = *in_->theme;
    const MenuLayout& layout = *in_->layout;
    SetColor(theme.hairline, 1.0f);
    in_->target->FillRectangle(
        D2D1::RectF(kBottomLineInset, layout.bottomLine, layout.width - kBottomLineInset,
                    layout.bottomLine + 1.0f),
        in_->brush);
    const PointRect& r = layout.power;
    const bool lit = Highlight(r, {MenuHit::Power, -1}, kSmallRadius);
    SetColor(lit ? theme.selectedText : theme.text, 1.0f);
    Text(kGlyphPower, kSmallGlyph,
         {r.left + kPowerGlyphLeft, r.top, r.left + kPowerLabelLeft, r.bottom},
         DWRITE_TEXT_ALIGNMENT_CENTER);
    Text(PowerLabel(), kRowName, {r.left + kPowerLabelLeft, r.top, r.right, r.bottom});
}

}  // namespace corvane
