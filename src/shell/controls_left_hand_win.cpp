// The left hand check box swaps the system's primary and secondary mouse
// buttons; the window reads the system's state back whenever it is shown.
#include <windows.h>

#include "shell/controls_handlers_win.h"

namespace tessaro {

void SwapButtonsForLeftHand(PanelWidget& widget) { SwapMouseButton(widget.checked ? TRUE : FALSE); }

}  // namespace tessaro
