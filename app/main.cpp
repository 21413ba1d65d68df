// Entry point of both programs; the demo is the same program wired to the simulated mouse.
#include <windows.h>

#include "app/talvin_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef GM_DEMO_PROGRAM
  CTalvinApp app(instance, gm::DeviceBackend::kSimulated);
#else
  CTalvinApp app(instance, gm::DeviceBackend::kHardware);
#endif
  app.InitInstance();
  return 0;
}
