#include "editor/win/system_clipboard.h"

#include <cstring>
#include <optional>
#include <vector>

#include "base/string_table.h"
#include "editor/clipboard_commands.h"

namespace quarl::win {
namespace {

constexpr char kErrorTitle[] = "Error - Non-Fatal";

int ClipboardError(Editor& editor) {
  if (editor.ui) editor.ui->Tell(StringText(IDS_CLIPBOARD_ERROR), kErrorTitle);
  return 0;
}

bool HaveSelection(const Editor& editor) { return editor.ActiveDocument() && editor.Selection().start >= 0; }

// A movable, shareable block holding the bytes; null when it cannot be had.
HGLOBAL GlobalBlock(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
  if (!block) return nullptr;
  void* data = GlobalLock(block);
  if (!data) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// The whole of the clipboard's data in the format, as large as the system
// says its block is; nothing when there is none.
std::optional<std::vector<uint8_t>> ClipboardBytes(UINT format) {
  HANDLE handle = format ? GetClipboardData(format) : nullptr;
  if (!handle) return std::nullopt;
  const SIZE_T size = GlobalSize(handle);
  const auto* data = static_cast<const uint8_t*>(GlobalLock(handle));
  if (!data) return std::nullopt;
  std::vector<uint8_t> bytes(data, data + size);
  GlobalUnlock(handle);
  return bytes;
}

}  // namespace

UINT ZorClipboardFormat() { return RegisterClipboardFormatA("ZOR"); }

int CopySelection(Editor& editor, HWND owner, bool cut) {
  if (!HaveSelection(editor)) {
    CopySelectionBytes(editor);  // tells the user there is no selection
    return 0;
  }
  if (!OpenClipboard(owner)) return ClipboardError(editor);
  if (!EmptyClipboard()) {
    CloseClipboard();
    return ClipboardError(editor);
  }
  const std::optional<std::vector<uint8_t>> bytes = cut ? CutSelectionBytes(editor) : CopySelectionBytes(editor);
  HGLOBAL block = bytes ? GlobalBlock(*bytes) : nullptr;
  const UINT format = ZorClipboardFormat();
  if (!block || !format || !SetClipboardData(format, block)) {
    if (block) GlobalFree(block);
    CloseClipboard();
    return ClipboardError(editor);
  }
  CloseClipboard();
  return 1;
}

int PasteClipboard(Editor& editor, HWND owner) {
  if (!HaveSelection(editor)) return PasteClipboardBytes(editor, {});  // tells the user there is no selection
  if (!OpenClipboard(owner)) return ClipboardError(editor);
  const std::optional<std::vector<uint8_t>> bytes = ClipboardBytes(ZorClipboardFormat());
  CloseClipboard();
  if (!bytes) return 0;
  return PasteClipboardBytes(editor, *bytes);
}

}  // namespace quarl::win
