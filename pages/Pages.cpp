// The page screen: a composed page shown full screen until the player lets go
// of a key or a button, with a fade in and out.
#include "pages/Pages.h"

#include <GL/gl.h>

#include <cstdio>

#include "pages/PageCompose.h"
#include "render/Renderer.h"

namespace {

constexpr int kPageTile = 256;
constexpr float kFadeFrames = 100.0f;

}  // namespace

std::string PageScriptPath(int pageSet, const char* lang) {
  std::string path = kPageDirectory;
  int length = std::snprintf(nullptr, 0, kPageScriptNameFormat, pageSet, lang);
  std::string name(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&name[0], name.size(), kPageScriptNameFormat, pageSet, lang);
  name.pop_back();
  return path + name;
}

void PageFades::Start() { *this = PageFades{kFadeFrames, kFadeFrames, false, false, closeAfter, 0.0f}; }

void PageFades::Event(const SDL_Event& event) {
  if (event.type == SDL_KEYUP || event.type == SDL_MOUSEBUTTONUP) leaving = true;
}

void PageFades::Update(float frameDelta) {
  if (fadeIn > 0.0f) fadeIn = fadeIn > frameDelta ? fadeIn - frameDelta : 0.0f;
  shown += frameDelta;
  if (closeAfter > 0.0f && shown >= closeAfter) leaving = true;
  if (!leaving) return;
  // Leaving during the fade-in goes back to black from where it got to.
  if (fadeIn > 0.0f) {
    fadeOut = kFadeFrames - fadeIn;
    fadeIn = 0.0f;
  }
  fadeOut -= frameDelta;
  if (fadeOut <= 0.0f) done = true;
}

float PageFades::Black() const {
  if (leaving) return 1.0f - (fadeOut > 0.0f ? fadeOut : 0.0f) / kFadeFrames;
  return fadeIn > 0.0f ? fadeIn / kFadeFrames : 0.0f;
}

void PageScreen::Enter() {
  std::unique_ptr<PageDescription> page = ParsePageScript(PageScriptPath(m_pageSet, m_lang.c_str()).c_str(), kPageDirectory);
  if (!page) {
    Flow().Pop();
    return;
  }
  for (PageElement& element : page->elements)
    for (const auto& [from, to] : m_replacements)
      if (element.kind == kPageTexte && element.text == from) element.text = to;
  PageImage image = ComposePage(*page);
  page.reset();
  m_picture.SetFromRGBA(image.data(), kPageWidth, kPageHeight);
  if (!m_picture.MakeTiles(kPageTile, kPageTile)) {
    m_picture.Free();
    Flow().Pop();
    return;
  }
  m_fades.Start();
}

void PageScreen::ReplaceText(const CUString& from, const CUString& to) {
  m_replacements.emplace_back(std::u16string(from.Data(), from.Length()), std::u16string(to.Data(), to.Length()));
}

void PageScreen::Update(const FrameTime& time, const Pointer&) {
  if (m_fades.done) return;
  m_fades.Update(time.delta);
  if (m_fades.done) Flow().Pop();
}

void PageScreen::Draw() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  m_picture.Draw(1.0f);
  if (m_fades.Black() > 0.0f) m_renderer.overlay.DrawBlackOverlay(m_fades.Black());
}
