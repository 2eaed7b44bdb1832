// Composed information pages: page set 2 (how to play, from the main menu) and
// page set 3 (the goodbye page at exit), in the player's language.
#pragma once

#include <SDL.h>

#include <string>
#include <utility>
#include <vector>

#include "base/CUString.h"

#include "platform/Screen.h"
#include "render/Bitmap2D.h"

class Renderer;

// The script of a page set in a language: "data/order/scriptorder%d_%s.txt".
std::string PageScriptPath(int pageSet, const char* lang);

// The page's own fades and whether it is done, apart from drawing.
struct PageFades {
  float fadeIn = 0.0f;   // frame units of fade-in left
  float fadeOut = 0.0f;  // frame units of fade-out left once leaving
  bool leaving = false;
  bool done = false;
  // Frame units after which the page leaves by itself (0: only on input),
  // and how long it has been shown.
  float closeAfter = 0.0f;
  float shown = 0.0f;

  // Keeps closeAfter.
  void Start();
  // A key or mouse button released starts the fade-out.
  void Event(const SDL_Event& event);
  void Update(float frameDelta);
  // The opacity of the black over the page (0 when none).
  float Black() const;
};

// The page composed on entry, faded in from black, shown until a key or
// mouse button is released (or for a time of its own), faded out and
// released on leaving. A missing page (after its one message) pops at once.
class PageScreen : public Screen {
 public:
  PageScreen(int pageSet, std::string lang, const Renderer& renderer)
      : m_pageSet(pageSet), m_lang(std::move(lang)), m_renderer(renderer) {}

  void Enter() override;
  void Event(const SDL_Event& event) override { m_fades.Event(event); }
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override;
  void Leave() override { m_picture.Free(); }
  // The page also leaves by itself this many frame units after it appeared.
  void CloseAfter(float frames) { m_fades.closeAfter = frames; }

  const PageFades& Fades() const { return m_fades; }
  // Before Enter: the text elements that read `from` read `to` instead.
  void ReplaceText(const CUString& from, const CUString& to);

 private:
  int m_pageSet;
  std::string m_lang;
  const Renderer& m_renderer;
  std::vector<std::pair<std::u16string, std::u16string>> m_replacements;
  GLBitmap2D m_picture;
  PageFades m_fades;
};
