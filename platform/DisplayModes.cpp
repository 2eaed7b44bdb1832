#include "platform/DisplayModes.h"

#include <algorithm>

#include <SDL.h>


DisplayModeList FilterDisplayModes(const std::vector<DisplayMode>& system, FILE* out) {
  DisplayModeList list;
  for (const DisplayMode& mode : system) {
    if (mode.bitsPerPixel != 32 || mode.width < 640 || mode.height < 480) continue;
    std::fprintf(out, "mode %d x %d\n", mode.width, mode.height);
    bool known = false;
    for (const DisplayMode& kept : list.modes)
      if (kept.width == mode.width && kept.height == mode.height) known = true;
    if (known) continue;
    std::fprintf(out, "add mode : %d x %d\n", mode.width, mode.height);
    list.modes.push_back(mode);
  }
  return list;
}

void ChooseStartSize(const DisplayModeList& list, int& width, int& height, FILE* out) {
  bool listed800 = false;
  for (const DisplayMode& mode : list.modes) {
    if (mode.width == width && mode.height == height) return;
    if (mode.width == 800 && mode.height == 600) listed800 = true;
  }
  std::fprintf(out, "mode not found\n");
  width = listed800 ? 800 : 640;
  height = listed800 ? 600 : 480;
}

std::vector<DisplayMode> CommonSizesWithin(int desktopWidth, int desktopHeight) {
  static const int kCommonSizes[][2] = {{640, 480},   {800, 600},   {1024, 768},  {1152, 864},  {1280, 720},
                                        {1280, 800},  {1280, 960},  {1280, 1024}, {1366, 768},  {1440, 900},
                                        {1600, 900},  {1600, 1200}, {1680, 1050}, {1920, 1080}, {1920, 1200}};
  std::vector<DisplayMode> sizes;
  for (const auto& size : kCommonSizes)
    if (size[0] <= desktopWidth && size[1] <= desktopHeight) sizes.push_back({32, size[0], size[1]});
  return sizes;
}

std::vector<DisplayMode> WindowSizes(const std::vector<DisplayMode>& system, int width, int height) {
  int largestWidth = 0, largestHeight = 0;
  for (const DisplayMode& mode : system)
    if (mode.width * mode.height > largestWidth * largestHeight) largestWidth = mode.width, largestHeight = mode.height;
  std::vector<DisplayMode> sizes = system;
  for (const DisplayMode& size : CommonSizesWithin(largestWidth, largestHeight)) sizes.push_back(size);
  if (width <= largestWidth && height <= largestHeight) sizes.push_back({32, width, height});
  std::sort(sizes.begin(), sizes.end(), [](const DisplayMode& a, const DisplayMode& b) {
    return a.width != b.width ? a.width < b.width : a.height < b.height;
  });
  sizes.erase(std::unique(sizes.begin(), sizes.end(),
                          [](const DisplayMode& a, const DisplayMode& b) { return a.width == b.width && a.height == b.height; }),
              sizes.end());
  return sizes;
}

std::vector<DisplayMode> SystemDisplayModes() {
  std::vector<DisplayMode> system;
  SDL_PixelFormat format = {};
  format.BitsPerPixel = 32;
  format.BytesPerPixel = 4;
  SDL_Rect** rects = SDL_ListModes(&format, SDL_FULLSCREEN | SDL_OPENGL);
  if (rects == reinterpret_cast<SDL_Rect**>(-1)) {
    // Any size is possible: offer the usual ones the desktop can show. Before
    // the first window the video information holds the desktop's own size.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info || info->current_w <= 0 || info->current_h <= 0) return CommonSizesWithin(640, 480);
    return CommonSizesWithin(info->current_w, info->current_h);
  }
  if (!rects) return system;
  for (int i = 0; rects[i]; ++i) system.push_back({32, rects[i]->w, rects[i]->h});
  // SDL lists the largest first; the menus list sizes from the smallest.
  return std::vector<DisplayMode>(system.rbegin(), system.rend());
}

bool FitsInAWindow(const DisplayModeList& list, int width, int height) {
  if (width < 640 || height < 480) return false;
  for (const DisplayMode& mode : list.modes)
    if (width <= mode.width && height <= mode.height) return true;
  return false;
}

DisplayModeList BuildDisplayModeList(bool windowed, int& width, int& height) {
  const std::vector<DisplayMode> system = SystemDisplayModes();
  DisplayModeList list = FilterDisplayModes(windowed ? WindowSizes(system, width, height) : system, stdout);
  // A window needs no mode of its own: any size the screen holds will do.
  if (!windowed || !FitsInAWindow(list, width, height)) ChooseStartSize(list, width, height, stdout);
  return list;
}
