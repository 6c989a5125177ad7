// What the main window lets go of while it waits hidden in the tray: the
// drawing state only a shown window needs (the composition, the model layer
// with its decoded picture, the panel's background layer, the model list's
// pictures). The first paint after showing makes them again. Then the freed
// memory is given back to the system, so a program that spends most of its
// life hidden holds little more than its code while it waits.
#include "shell/process_memory_win.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {

void CTessaroDlg::OnHidden() {
  renderer_.Release(main_.panel);
  // An open list (the tray menu) may show the pictures of its rows; one
  // that is closed gets new rows before it opens again.
  if (!popup_list_ || !popup_list_->IsOpen()) model_pictures_.Clear();
  ReturnFreedMemory();
}

}  // namespace tessaro
