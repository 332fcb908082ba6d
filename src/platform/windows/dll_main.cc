// The library's entry point. The C runtime has constructed the static objects (the support
// library's configuration and locks, the dispatch tables) before it calls this, so the start-up
// line takes the ordinary output path.
#include "RynRAZUdidazoror.h"
#include "platform/windows/windows_api.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Nothing may escape into the loader; the library works with the generic variant whatever
    // happened.
    try {
      fnVCAIPP_InitIPP();
    } catch (...) {
    }
  }
  return TRUE;
}
