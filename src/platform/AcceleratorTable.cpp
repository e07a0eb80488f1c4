#include "platform/AcceleratorTable.h"

#include "ResourceIds.h"

namespace vek {

namespace {

constexpr unsigned kKey = kAccelVirtKey | kAccelNoInvert;
constexpr int VK_BACK = 8, VK_RETURN = 13, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
              VK_INSERT = 45, VK_DELETE = 46, VK_F3 = 114, VK_F6 = 117;

constexpr AccelEntry kTable[] = {
    {kKey | kAccelControl, 'C', ids::ID_EDIT_COPY},
    {kKey | kAccelControl, 'N', ids::ID_FILE_NEW},
    {kKey | kAccelControl, 'O', ids::ID_FILE_OPEN},
    {kKey | kAccelControl, 'S', ids::ID_FILE_SAVE},
    {kKey | kAccelControl, 'V', ids::ID_EDIT_PASTE},
    {kKey | kAccelAlt, VK_BACK, ids::ID_EDIT_UNDO},
    {kKey | kAccelShift, VK_DELETE, ids::ID_EDIT_CUT},
    {kKey | kAccelControl, VK_END, ids::ID_PAGE_LAST},
    {kKey, VK_F3, ids::kNext},
    {kKey | kAccelShift, VK_F3, ids::kFind},
    {kKey, VK_F6, ids::ID_NEXT_PANE},
    {kKey | kAccelShift, VK_F6, ids::ID_PREV_PANE},
    {kKey | kAccelControl, VK_HOME, ids::ID_PAGE_FIRST},
    {kKey | kAccelControl, VK_INSERT, ids::ID_EDIT_COPY},
    {kKey | kAccelShift, VK_INSERT, ids::ID_EDIT_PASTE},
    {kKey, VK_NEXT, ids::ID_PAGE_NEXT},
    {kKey, VK_PRIOR, ids::ID_PAGE_PREV},
    {kKey, VK_RETURN, ids::ID_GOTO_START},
    {kKey | kAccelControl, 'X', ids::ID_EDIT_CUT},
    {kKey | kAccelControl | kAccelEnd, 'Z', ids::ID_EDIT_UNDO},
};

unsigned ModifierFlags(Qt::KeyboardModifiers modifiers) {
  unsigned flags = 0;
  if (modifiers & Qt::ShiftModifier) flags |= kAccelShift;
  if (modifiers & Qt::ControlModifier) flags |= kAccelControl;
  if (modifiers & Qt::AltModifier) flags |= kAccelAlt;
  return flags;
}

} // namespace

std::span<const AccelEntry> MainAccelerators() { return kTable; }

int VirtualKeyOf(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

std::optional<int> TranslateAccelerator(std::span<const AccelEntry> table, int qtKey, Qt::KeyboardModifiers modifiers) {
  const int vk = VirtualKeyOf(qtKey);
  if (vk == 0) return std::nullopt;
  const unsigned pressed = ModifierFlags(modifiers);
  constexpr unsigned kModifierMask = kAccelShift | kAccelControl | kAccelAlt;
  for (const AccelEntry& entry : table) {
    if (entry.virtualKey == vk && (entry.flags & kModifierMask) == pressed) return entry.command;
  }
  return std::nullopt;
}

} // namespace vek
