// What building a screen's texts costs: milliseconds per text rendered and
// placed in the atlas, per page uploaded as a texture, and microseconds per
// text drawn, for short menu labels and longer sentences. Prints figures; it
// asserts nothing. Starts its own virtual display when DISPLAY is unset.
//
//   build/bench/text_bench [rounds, default 20]
#include <GL/gl.h>
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "base/CUString.h"
#include "tests/support/GLFrame.h"
#include "tests/support/VirtualDisplay.h"
#include "text/GLFontTrueType.h"
#include "text/TextSystem.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Measure(const char* name, const std::string& face, int size, const std::vector<CUString>& texts, int rounds) {
  double add = 0, upload = 0, draw = 0;
  int added = 0, pages = 0, drawn = 0;
  for (int round = 0; round < rounds; ++round) {
    GLFontTrueType font;
    if (!font.Open(face.c_str(), size)) return;
    std::vector<int> ids;
    auto start = std::chrono::steady_clock::now();
    for (const CUString& text : texts) ids.push_back(font.AddTextW(text));
    add += Since(start);
    added += static_cast<int>(texts.size());

    start = std::chrono::steady_clock::now();
    font.Upload();
    glFinish();
    upload += Since(start);
    pages += font.Pages().Count();

    // The second of two passes, the first having warmed the texture up.
    for (int pass = 0; pass < 2; ++pass) {
      glClear(GL_COLOR_BUFFER_BIT);
      glFinish();
      start = std::chrono::steady_clock::now();
      for (size_t i = 0; i < ids.size(); ++i)
        font.Draw(ids[i], static_cast<int>(i % 4) * 250, static_cast<int>(i / 4 % 24) * 32, 0, 0, 0, 0);
      glFinish();
    }
    draw += Since(start);
    drawn += static_cast<int>(ids.size());
    font.ReleaseTextures();
  }
  std::printf("%-10s %3d texts/screen: %.3f ms per text placed, %.3f ms per page uploaded (%.1f pages), "
              "%.1f us per text drawn\n",
              name, static_cast<int>(texts.size()), add / added, upload / (pages ? pages : 1),
              static_cast<double>(pages) / rounds, 1000.0 * draw / drawn);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  testsupport::VirtualDisplay display;
  if (!std::getenv("DISPLAY") && !display.Start(kWidth, kHeight)) {
    std::fprintf(stderr, "text_bench: no display\n");
    return 1;
  }
  if (!InitTextSystem() || SDL_Init(SDL_INIT_VIDEO) != 0 || !OpenDisplay(kWidth, kHeight)) {
    std::fprintf(stderr, "text_bench: cannot open a window\n");
    return 1;
  }
  testsupport::UsePixelProjection(kWidth, kHeight);

  const char* dir = std::getenv("GLYPHOX_GAME_DIR");
  const std::string fonts = std::string(dir ? dir : "build/game") + "/data/";
  std::vector<CUString> labels, messages, sentences;
  const char* words[] = {"Jouer", "Options", "Meilleurs scores", "Quitter", "Charger", "Sauver", "Retour",
                         "Difficulté", "Résolution", "Niveau 12", "Coups : 345", "Año"};
  for (int i = 0; i < 48; ++i) labels.push_back(CUString::FromUtf8(words[i % 12]));
  for (int i = 0; i < 24; ++i)
    sentences.push_back(CUString::FromUtf8("Bravo ! Le niveau " + std::to_string(i + 1) +
                                           " est réussi en " + std::to_string(40 + i) + " coups."));
  Measure("menu 28", fonts + "DejaVuSans-Bold.ttf", 28, labels, rounds);
  Measure("menu 18", fonts + "DejaVuSans.ttf", 18, labels, rounds);
  for (int i = 0; i < 24; ++i)
    messages.push_back(CUString::FromUtf8("Niveau " + std::to_string(i + 1) + " réussi !"));
  Measure("big 44", fonts + "DejaVuSans-Bold.ttf", 44, messages, rounds);
  Measure("small 20", fonts + "DejaVuSans-Bold.ttf", 20, sentences, rounds);

  CloseDisplay();
  SDL_Quit();
  QuitTextSystem();
  return 0;
}
