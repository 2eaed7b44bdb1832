#include "platform/Display.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef GLYPHOX_SANITIZER_BUILD
#include <dlfcn.h>
#endif

#include "base/FileAccess.h"
#include "engine3d/GLContext.h"
#include "platform/FrameClock.h"

const char* const kProductTitle = "Glyphox Deluxe";

namespace {

struct KeyboardInput {
  int repeatDelay = 0;
  int repeatInterval = 0;
  bool unicode = false;
};

// Process-wide because SDL 1.2 has exactly one video surface per process:
// the window's, its frame pacing and the keyboard input set for it (applied
// again at every opening, since SDL resets it with the video).
struct DisplayState {
  SDL_Surface* surface = nullptr;
  int width = 0;
  int height = 0;
  // The frame rate cap: asked of the driver as vertical sync, kept by
  // sleeping where the driver does not wait for the screen.
  int frameRateCap = 0;
  bool verticalSync = false;  // the driver said it waits for the screen
  FramePacer pacer;
  KeyboardInput keyboard;
} g_display;

void* LookUpGLProc(const char* name) { return SDL_GL_GetProcAddress(name); }

void SetInitialGLState(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const Perspective perspective;
  gluPerspective(perspective.fieldOfView, static_cast<double>(width) / height, perspective.nearPlane,
                 perspective.farPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_TEXTURE_2D);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_DITHER);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  glDisable(GL_NORMALIZE);
  glDisable(GL_LIGHTING);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SDL_GL_SwapBuffers();
}

#ifdef GLYPHOX_SANITIZER_BUILD
// Keeps Mesa's driver mapped after SDL unloads it, so that leak reports can
// name its frames and the suppressions can match them.
void PinDriverForLeakReports() {
  dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}
#endif


void ApplyKeyboardInput() {
  SDL_EnableKeyRepeat(g_display.keyboard.repeatDelay, g_display.keyboard.repeatInterval);
  SDL_EnableUNICODE(g_display.keyboard.unicode ? 1 : 0);
}

}  // namespace

void SetKeyboardInput(int repeatDelay, int repeatInterval, bool unicode) {
  g_display.keyboard = KeyboardInput{repeatDelay, repeatInterval, unicode};
  ApplyKeyboardInput();
}

int OpenDisplay(int width, int height, bool fullScreen) {
  if (width <= 0 || height <= 0) return 0;
  g_display.width = width;
  g_display.height = height;

  if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) return 0;
  SDL_ShowCursor(SDL_DISABLE);

  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
  // A capped game waits for the screen where the driver can; measuring runs
  // must not.
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, g_display.frameRateCap > 0 ? 1 : 0);

  Uint32 flags = SDL_OPENGL | (fullScreen ? SDL_FULLSCREEN : 0);
  g_display.surface = SDL_SetVideoMode(width, height, 24, flags);
  if (!g_display.surface) return 0;
#ifdef GLYPHOX_SANITIZER_BUILD
  PinDriverForLeakReports();
#endif

  int swapControl = 0;
  g_display.verticalSync =
      g_display.frameRateCap > 0 && SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapControl) == 0 && swapControl == 1;
  SetInitialGLState(width, height);
  ApplyKeyboardInput();
  if (!g_gl.extensions.detected) DetectGLExtensions(LookUpGLProc);
  g_gl.open = 1;
  return CheckGLErrors();
}

int OpenToolWindow(const char* tool, int width, int height) {
  // Without this SDL 1.2 may pick a text-mode driver when DISPLAY is unset.
  setenv("SDL_VIDEODRIVER", "x11", 0);
  if (SDL_Init(SDL_INIT_VIDEO) == 0 && OpenDisplay(width, height, false)) return 1;
  std::fprintf(stderr, "%s: cannot open a %dx%d OpenGL window (%s)\n", tool, width, height, SDL_GetError());
  SDL_Quit();
  return 0;
}

bool ParseWindowSize(const char* text, int& width, int& height) {
  int w = 0, h = 0;
  char extra = 0;
  if (!text || std::sscanf(text, "%dx%d%c", &w, &h, &extra) != 2) return false;
  if (w < 16 || h < 16 || w > 8192 || h > 8192) return false;
  width = w;
  height = h;
  return true;
}

void CloseToolWindow() {
  CloseDisplay();
  SDL_Quit();
}

void CloseDisplay() {
  if (g_display.surface) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
  }
  g_gl.open = 0;
  g_display.surface = nullptr;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SetWindowCaption() { SDL_WM_SetCaption(kProductTitle, kProductTitle); }

void SetFrameRateCap(int framesPerSecond) {
  g_display.frameRateCap = framesPerSecond > 0 ? framesPerSecond : 0;
  if (!g_display.frameRateCap) g_display.verticalSync = false;
}

void PresentFrame(int framesPerSecond) {
  SDL_GL_SwapBuffers();
  const int cap = g_display.frameRateCap;
  const bool lower = cap > 0 && framesPerSecond > 0 && framesPerSecond < cap;
  g_display.pacer.rate = lower ? framesPerSecond : g_display.verticalSync ? 0 : cap;
  if (const Uint32 wait = g_display.pacer.Wait(SDL_GetTicks())) SDL_Delay(wait);
}

int CheckGLErrors() {
  if (!g_gl.open) {
    std::fprintf(stderr, "OpenGL Error : Not Initialized !!!\n");
    return 0;
  }
  GLenum error = glGetError();
  const char* message = nullptr;
  switch (error) {
    case GL_NO_ERROR: return 1;
    case GL_INVALID_ENUM: message = "OpenGL Error : Invalid Enum\n"; break;
    case GL_INVALID_VALUE: message = "OpenGL Error : Invalid Value\n"; break;
    case GL_INVALID_OPERATION: message = "OpenGL Error : Invalid Operation\n"; break;
    case GL_STACK_OVERFLOW: message = "OpenGL Error : Stack Overflow\n"; break;
    case GL_STACK_UNDERFLOW: message = "OpenGL Error : Stack UnderFlow\n"; break;
    case GL_OUT_OF_MEMORY: message = "OpenGL Error : Out of Memory\n"; break;
    default: message = "OpenGL Error : Unknown Error ?\n"; break;
  }
  std::fputs(message, stderr);
  return 0;
}

int SaveScreenshot(const char* path, int* error) {
  const int width = g_display.width, height = g_display.height;
  if (error) *error = ENOMEM;
  if (width <= 0 || height <= 0) return 0;
  // Byte order red, green, blue in memory, no alpha.
  SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
  if (!image) return 0;
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  // The frame buffer's first row is the bottom one; surface rows are padded.
  SDL_LockSurface(image);
  for (int y = 0; y < height; ++y) {
    const unsigned char* source = pixels.data() + static_cast<size_t>(height - 1 - y) * width * 3;
    std::copy(source, source + width * 3, static_cast<unsigned char*>(image->pixels) + y * image->pitch);
  }
  SDL_UnlockSurface(image);
  int ok = WriteSurfaceBmp(image, path, error);
  SDL_FreeSurface(image);
  return ok;
}

int WriteSurfaceBmp(SDL_Surface* image, const char* path, int* error) {
  // Written beside the target and renamed, so a failed write leaves no file.
  AtomicFileWriter out;
  int failure = 0;
  if (!out.Open(path, "wb")) {
    failure = out.Error();
  } else {
    errno = 0;
    SDL_RWops* stream = SDL_RWFromFP(out.File(), 0);
    if (!stream || SDL_SaveBMP_RW(image, stream, 0) != 0) failure = errno ? errno : EIO;
    if (stream) SDL_FreeRW(stream);
    if (!failure && !out.Commit()) failure = out.Error();
  }
  if (error) *error = failure;
  return failure == 0;
}
