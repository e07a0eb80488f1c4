#include "app/CAboutDlg.h"

#include <array>

#include <QPushButton>

#include "ResourceIds.h"
#include "platform/AppIcons.h"

namespace vek {

namespace {

constexpr int kWidthDlu = 210;
constexpr int kHeightDlu = 81;

constexpr std::array<ControlRow, 4> kControls{{
    {kNoControlId, ControlKind::StaticIcon, kAppIconPath, 94, 6, 18, 20},
    {kNoControlId, ControlKind::Static, "VEK Version 1.5\nHex file dumper", 8, 7, 84, 18},
    {kNoControlId, ControlKind::StaticCenter,
     "Copyright (C) 2026 the vek authors.\nFree software: you may use, copy and change it under "
     "the terms of the licence that comes with it; it comes with no warranty.",
     6, 30, 197, 44},
    {ids::kOk, ControlKind::DefaultPushButton, "OK", 174, 9, 29, 14},
}};

} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent)
    : TemplateDialog({"About VEK", kWidthDlu, kHeightDlu, kControls}, pParent) {
  Item<QPushButton>(this, ids::kOk)->setFocus();
}

CAboutDlg::~CAboutDlg() = default;

} // namespace vek
