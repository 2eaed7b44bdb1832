#include "ui/Resolution.h"

#include "app/Display.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "render/Lights.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"

int ChangeResolution(int width, int height) {
  if (g_screen.initialised && g_screen.width == width && g_screen.height == height) return 1;
  g_settings.width = width;
  g_settings.height = height;
  FreeHighlightTexture();
  FreeMenuObjects();
  ReleaseMenuFontCache();
  ReleaseMenuTexts();

  CloseDisplay();
  if (!OpenDisplay(width, height)) return 0;
  SetUpLights();
  SetWindowCaption();
  if (!LoadMenuObjects() || !LoadHighlightTexture()) return 0;
  PrepareMenuTexts();
  UploadMenuFont();
  LayOutMenus();
  return 1;
}
