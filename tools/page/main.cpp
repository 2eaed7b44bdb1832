// glyphox-page: composes an information page from its script exactly as the
// game does and writes it as a 1024 x 768 BMP, for page authors and tests.
//
//   glyphox-page SCRIPT OUT.bmp [--page N] [--lang CODE] [--seed S] [--time]
//
// SCRIPT is a page script, or a directory holding the scripts, in which case
// page set N (default 2) in language CODE (default en) is composed. Fonts and
// bitmaps are read from the script's directory. Cloud pictures use the random
// stream seeded with S (default 1), so a run is reproducible. --time prints
// how long the composition took. Exit status 1 when there is no page.
#include <SDL.h>
#include <SDL_ttf.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/CUString.h"
#include "platform/Display.h"
#include "pages/PageCompose.h"
#include "pages/PageScript.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: glyphox-page SCRIPT OUT.bmp [--page N] [--lang CODE] [--seed S] [--time]\n");
  return 2;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteBmp(const PageImage& image, const char* path) {
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, kPageWidth, kPageHeight, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
  if (!surface) return false;
  SDL_LockSurface(surface);
  for (int y = 0; y < kPageHeight; ++y) {
    uint8_t* row = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
    for (int x = 0; x < kPageWidth; ++x) std::memcpy(row + x * 3, &image[(static_cast<size_t>(y) * kPageWidth + x) * 4], 3);
  }
  SDL_UnlockSurface(surface);
  bool ok = WriteSurfaceBmp(surface, path) != 0;
  SDL_FreeSurface(surface);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string script = argv[1];
  const char* output = argv[2];
  int pageSet = 2;
  std::string lang = "en";
  unsigned seed = 1;
  bool timed = false;
  for (int i = 3; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--time") {
      timed = true;
    } else if (i + 1 < argc && option == "--page") {
      pageSet = std::atoi(argv[++i]);
    } else if (i + 1 < argc && option == "--lang") {
      lang = argv[++i];
    } else if (i + 1 < argc && option == "--seed") {
      seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else {
      return Usage();
    }
  }
  if (IsDirectory(script)) {
    char name[300];
    std::snprintf(name, sizeof name, kPageScriptNameFormat, pageSet, lang.c_str());
    script += "/" + std::string(name);
  }
  std::string directory = script.substr(0, script.find_last_of('/') + 1);

  if (TTF_Init() < 0) {
    std::fprintf(stderr, "Couldn't initialize TTF: %s\n", TTF_GetError());
    return 1;
  }
  std::srand(seed);
  auto start = std::chrono::steady_clock::now();
  std::unique_ptr<PageDescription> page = ParsePageScript(script.c_str(), directory.c_str());
  auto parsed = std::chrono::steady_clock::now();
  int status = 1;
  if (page) {
    PageImage image = NewPageImage();
    std::string slowest;
    double slowestMs = 0.0;
    double kindMs[16] = {};
    for (const PageElement& element : page->elements) {
      auto before = std::chrono::steady_clock::now();
      ComposeElement(*page, element, image);
      double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
      if (ms > slowestMs) {
        slowestMs = ms;
        slowest = "kind " + std::to_string(element.kind) + " " + CUString(element.name.data(), element.name.size()).LowBytes();
      }
      kindMs[element.kind & 15] += ms;
    }
    auto composed = std::chrono::steady_clock::now();
    if (timed) {
      std::printf("%s: read %.1f ms, composed %.1f ms (%zu elements, slowest %.1f ms: %s)\n", script.c_str(),
                  std::chrono::duration<double, std::milli>(parsed - start).count(),
                  std::chrono::duration<double, std::milli>(composed - parsed).count(), page->elements.size(), slowestMs,
                  slowest.c_str());
      for (int kind = 0; kind < 16; ++kind)
        if (kindMs[kind] > 0.0) std::printf("  kind %d: %.1f ms\n", kind, kindMs[kind]);
    }
    if (WriteBmp(image, output))
      status = 0;
    else
      std::fprintf(stderr, "glyphox-page: cannot write %s\n", output);
  }
  page.reset();
  TTF_Quit();
  return status;
}
