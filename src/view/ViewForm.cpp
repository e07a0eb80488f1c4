#include "view/ViewForm.h"

#include "ResourceIds.h"

namespace vek {

namespace {
using K = ControlKind;
// Template order is tab order.
constexpr ControlRow kRows[] = {
    {ids::kPrevPage, K::PushButton, "<", 118, 28, 13, 13},
    {ids::kNextPage, K::DefaultPushButton, ">", 133, 28, 13, 13},
    {ids::kStart, K::NumberEdit, "", 176, 27, 43, 15},
    {ids::kFind, K::PushButton, "Find", 293, 28, 21, 13},
    {ids::kNext, K::PushButton, "Next", 318, 28, 21, 13},
    {ids::kConverter, K::PushButton, "16/10", 357, 28, 25, 13},
    {ids::kRefresh, K::PushButton, "Refresh", 78, 28, 30, 13},
    {ids::kNew, K::PushButton, "New", 50, 28, 24, 13},
    {ids::kHexFrame, K::GroupBox, "", 45, 47, 239, 101},
    {kNoControlId, K::Static, "Start :", 155, 30, 19, 9},
    {ids::kAsciiFrame, K::GroupBox, "", 288, 47, 104, 101},
    {ids::kFileName, K::StaticNoWrap, "Filename", 10, 3, 382, 10},
    {ids::kFileSize, K::Static, "Filesize", 233, 24, 46, 19},
    {ids::kOffsetFrame, K::GroupBox, "", 2, 47, 39, 101},
    {ids::kRadix, K::PushLikeCheckBox, "Dec", 10, 28, 21, 13},
    {kNoControlId, K::Static, "Offset", 10, 152, 24, 10},
    {kNoControlId, K::Static, "File bytes in hex-words", 55, 152, 90, 10},
    {kNoControlId, K::Static, "File bytes in ASCII", 297, 152, 68, 10},
    {ids::kPositionLine, K::StaticNoWrap, "", 151, 152, 90, 10}, // a long offset clips, not wraps
    {kNoControlId, K::GroupBox, "Find", 288, 16, 57, 30},
    {kNoControlId, K::GroupBox, "Page", 113, 16, 39, 30},
    {kNoControlId, K::GroupBox, "File", 45, 16, 68, 30},
    {kNoControlId, K::GroupBox, "Current Position", 153, 16, 74, 30},
    {kNoControlId, K::GroupBox, "Converter", 348, 16, 44, 30},
    {kNoControlId, K::GroupBox, "Mode", 2, 16, 39, 30},
    {kNoControlId, K::GroupBox, "Filesize", 229, 16, 55, 30},
};
} // namespace

std::span<const ControlRow> ViewFormRows() { return kRows; }

} // namespace vek
