// GLFontTrueType: a TrueType face whose texts are rendered once into atlas
// pages and drawn every frame, by id, as textured quads with a vertical
// two-colour gradient and an optional drop shadow.
//
// Calling order (main thread only):
//   1. InitTextSystem() (text/TextSystem.h) once, before any font is opened.
//   2. font.Open(face, size), then set its colours (OpenFontStyle does both
//      from a style of "data/font.ini").
//   3. id = font.AddText(utf8) or font.AddTextW(utf16) for every text of the
//      screen; keep the ids (-1 means "no text" and draws nothing). Needs no
//      OpenGL context.
//   4. font.Upload() once after adding, with the GL context current.
//   5. Every frame, in a 2D projection of one unit a pixel with y growing
//      downwards, with the blend function of your choice:
//      font.Draw(id, x, y, boxWidth, boxHeight, centreAcross, centreDown).
//   6. Rebuilding the texts (typing, a new list): ReleaseTextures(), Clear(),
//      AddText..., Upload(). Old ids become unknown.
//      Display mode change: ReleaseTextures() before the context goes,
//      Upload() after the new one is made; the ids stay valid.
//   7. font.Close() (or the destructor) when the screen ends, with the
//      context still current if textures were uploaded.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "base/CUString.h"
#include "base/CList.h"

// One text placed in a page: its id and the page pixels of its first piece.
// A text wider than what is left of its row continues at column 0 of the
// rows below, one text height further down for every piece.
struct GLFontTrueTypeString {
  int id = -1;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// One atlas page: a square white image whose alpha holds the texts, 256 x 256
// unless a text too large for that has one of its own. Its last row stays
// empty.
struct GLFontTrueTypeBuffer {
  static constexpr int kSize = 256;
  // Pixels left free after each text.
  static constexpr int kGap = 8;

  int size = kSize;
  SDL_Surface* image = nullptr;  // created on the first text placed
  int cursorX = 0;
  int cursorY = 0;
  int rowBottom = 0;             // where the next row starts
  int texture = -1;              // GL texture name, -1 when none
  CList<GLFontTrueTypeString> texts;

  GLFontTrueTypeBuffer() = default;
  GLFontTrueTypeBuffer(GLFontTrueTypeBuffer&& other) noexcept;
  GLFontTrueTypeBuffer& operator=(GLFontTrueTypeBuffer&&) = delete;
  ~GLFontTrueTypeBuffer();

  // Where a text of w x h pixels would start on this page; false when the
  // page has no room for it.
  bool FindRoom(int w, int h, int& x, int& y) const;
  // Copies the alpha of image at (x, y) (from FindRoom) as a text with this
  // id, and moves the cursor past it.
  void Place(const SDL_Surface* source, int id, int x, int y);
  void DeleteTexture();
};

class GLFontTrueType {
 public:
  GLFontTrueType() = default;
  GLFontTrueType(const GLFontTrueType&) = delete;
  GLFontTrueType& operator=(const GLFontTrueType&) = delete;
  virtual ~GLFontTrueType();

  // Opens the face at this point size with the normal style. Returns 1, or 0
  // after printing why (the font then stays without a face).
  int Open(const char* face, int size);
  // Drops every page, then closes the face.
  void Close();

  // Render in white and place; return the new text's id, or -1 (no face, an
  // empty text, or a text too large for the largest page, which is reported).
  int AddText(const char* utf8);
  // A text wider than wrapWidth (when above 0) is broken at blanks into
  // lines of at most that width, centred one under the other, as one text.
  int AddTextW(const CUString& text, int wrapWidth = 0);
  // The lines AddTextW makes of a text (the one text when it fits).
  std::vector<std::u16string> WrapLines(const std::u16string& units, int wrapWidth) const;
  // Places an image rendered elsewhere (white, its alpha is the text); the
  // caller keeps the image. Returns the id or -1 as AddText.
  int AddImage(const SDL_Surface* image);
  // One glyph in white, owned by the caller (SDL_FreeSurface); nothing is
  // placed. Null without a face or a glyph.
  SDL_Surface* RenderGlyph(char16_t unit) const;

  // (Re)creates every page's texture from its image.
  void Upload();
  // Deletes the textures and keeps the images.
  void ReleaseTextures();
  // Frees every page; ids handed out become unknown.
  void Clear();

  // Draws a text with its top-left corner at (x, y), or centred across
  // and/or down in the box of the given size (integer halves, truncated).
  // Leaves depth test, culling and lighting on and blending off.
  void Draw(int id, int x, int y, int boxWidth, int boxHeight, int centreAcross, int centreDown) const;
  // Size in pixels of a text; 0 when the id is unknown.
  int TextWidth(int id) const;
  int TextHeight(int id) const;

  bool HasFace() const { return m_face != nullptr; }
  int Style() const { return m_style; }
  int Size() const { return m_size; }
  const CList<GLFontTrueTypeBuffer>& Pages() const { return m_pages; }

  // Colours, set by the screens after opening (all 0..1).
  float top[3] = {1, 1, 1};
  float bottom[3] = {1, 1, 1};
  float alpha = 1;  // for text and shadow alike
  float shadow[3] = {0, 0, 0};
  int shadowOffset[2] = {0, 0};  // a shadow is drawn only when both are non-zero

 private:
  const GLFontTrueTypeString* Find(int id, const GLFontTrueTypeBuffer** page) const;
  int PlaceRendered(SDL_Surface* rendered);
  int LineWidth(const std::u16string& units) const;
  void DrawPieces(const GLFontTrueTypeString& text, int size, int x0, int y0, bool gradient) const;

  TTF_Font* m_face = nullptr;
  CList<GLFontTrueTypeBuffer> m_pages;
  int m_style = TTF_STYLE_NORMAL;
  int m_size = 0;
};
