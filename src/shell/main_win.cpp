// Entry point of Tessaro.exe: the application object does everything.
#include <windows.h>

#include "shell/tessaro_app_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  tessaro::CTessaroApp app(instance);
  app.InitInstance();
  return app.exit_code();
}
