// Text atlases: rendering texts into 256 x 256 pages (larger ones for a text
// that needs them), uploading the pages and drawing texts from them.
#include "text/GLFontTrueType.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine3d/GLContext.h"

namespace {

// The largest page a text gets: every GL implementation takes 2048 x 2048.
constexpr int kLargestPage = 2048;

// Process-wide so that ids are unique across all fonts for the life of the
// process: an id drawn with the wrong font finds nothing rather than another
// text.
int g_nextTextId = 0;

// Rows of a page of this size a text starting at column x takes.
int RowsSpanned(int size, int x, int w) {
  if (x + w <= size) return 1;
  return 1 + (x + w - size + size - 1) / size;
}

bool Fits(int size, int x, int y, int w, int h) {
  const int last = size - 1;
  if (y + h > last) return false;
  if (x + w > last) return RowsSpanned(size, x, w) * h + y <= last;
  return true;
}

// The pieces of a wrapped text, one surface; lines centred, one line skip
// apart. Null when the library fails.
SDL_Surface* StackLines(TTF_Font* face, const std::vector<std::u16string>& lines) {
  const SDL_Color white = {255, 255, 255, 0};
  std::vector<SDL_Surface*> rendered;
  int width = 0, height = 0;
  const int skip = TTF_FontLineSkip(face);
  for (const std::u16string& line : lines) {
    SDL_Surface* piece = TTF_RenderUNICODE_Blended(face, reinterpret_cast<const Uint16*>(line.c_str()), white);
    if (!piece) continue;
    width = std::max(width, piece->w);
    height = (rendered.empty() ? 0 : height - rendered.back()->h + std::max(skip, rendered.back()->h)) + piece->h;
    rendered.push_back(piece);
  }
  SDL_Surface* all = rendered.empty() ? nullptr
                                      : SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF,
                                                             0xFF000000);
  int y = 0;
  for (SDL_Surface* piece : rendered) {
    if (all) {
      SDL_SetAlpha(piece, 0, 255);  // copy the alpha rather than blend it
      SDL_Rect at = {static_cast<Sint16>((width - piece->w) / 2), static_cast<Sint16>(y), 0, 0};
      SDL_BlitSurface(piece, nullptr, all, &at);
    }
    y += std::max(skip, piece->h);
    SDL_FreeSurface(piece);
  }
  return all;
}

// Alpha of one pixel of a surface of any depth (the library gives 32 bits).
Uint8 AlphaAt(const SDL_Surface* s, int x, int y) {
  const Uint8* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
  const int bpp = s->format->BytesPerPixel;
  Uint32 pixel = 0;
  switch (bpp) {
    case 1: pixel = row[x]; break;
    case 2: pixel = reinterpret_cast<const Uint16*>(row)[x]; break;
    case 3: {
      const Uint8* p = row + x * 3;
      pixel = SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16 : p[2] | p[1] << 8 | p[0] << 16;
      break;
    }
    default: pixel = reinterpret_cast<const Uint32*>(row)[x]; break;
  }
  Uint8 r, g, b, a;
  SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
  return a;
}

}  // namespace

// ------------------------------------------------------------------ page

GLFontTrueTypeBuffer::GLFontTrueTypeBuffer(GLFontTrueTypeBuffer&& other) noexcept
    : size(other.size),
      image(other.image),
      cursorX(other.cursorX),
      cursorY(other.cursorY),
      rowBottom(other.rowBottom),
      texture(other.texture) {
  for (const GLFontTrueTypeString& text : other.texts) texts.Append(text);
  other.texts.Clear();
  other.image = nullptr;
  other.texture = -1;
}

GLFontTrueTypeBuffer::~GLFontTrueTypeBuffer() {
  DeleteTexture();
  if (image) SDL_FreeSurface(image);
}

void GLFontTrueTypeBuffer::DeleteTexture() {
  if (texture < 0) return;
  GLuint name = static_cast<GLuint>(texture);
  glDeleteTextures(1, &name);
  texture = -1;
}

bool GLFontTrueTypeBuffer::FindRoom(int w, int h, int& x, int& y) const {
  x = cursorX;
  y = cursorY;
  const int last = size - 1;
  // Far beyond any page; also keeps the sums below from overflowing.
  if (w > size * size || h > size) return false;
  // A text continues on the next row one text height down, which is where
  // the drawing looks for it; below a taller text of this row that place is
  // taken, so such a text starts a row of its own.
  if (x + w > last && rowBottom > y + h) {
    x = 0;
    y = rowBottom;
  }
  return Fits(size, x, y, w, h);
}

void GLFontTrueTypeBuffer::Place(const SDL_Surface* source, int id, int x, int y) {
  const int w = source->w, h = source->h, last = size - 1;
  texts.Append(GLFontTrueTypeString{id, x, y, w, h});
  if (!image) image = SDL_CreateRGBSurface(SDL_SWSURFACE, size, size, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  if (w <= 0 || h <= 0 || !image) {
    cursorX = std::min(x + kGap, last);
    cursorY = y;
    return;
  }
  SDL_Surface* src = const_cast<SDL_Surface*>(source);
  if (SDL_MUSTLOCK(src)) SDL_LockSurface(src);
  for (int c = 0; c < w; ++c) {
    rowBottom = std::max(rowBottom, y + h);
    // FindRoom keeps every piece above the last row; this only guards the page.
    if (y + h > last) break;
    for (int r = 0; r < h; ++r) {
      Uint32 a = AlphaAt(src, c, r);
      Uint32 v = a > 0 ? 0xFFu : 0u;
      Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(image->pixels) + (y + r) * image->pitch);
      row[x] = a << 24 | v << 16 | v << 8 | v;
    }
    if (++x > last) {
      x = 0;
      y = rowBottom;
    }
  }
  if (SDL_MUSTLOCK(src)) SDL_UnlockSurface(src);
  cursorX = std::min(x + kGap, last);
  cursorY = y;
}

// ------------------------------------------------------------------ font

GLFontTrueType::~GLFontTrueType() { Close(); }

int GLFontTrueType::Open(const char* face, int size) {
  Close();
  m_face = TTF_OpenFont(face, size);
  if (!m_face) {
    std::fprintf(stderr, "Couldn't open font %s: %s\n", face, TTF_GetError());
    return 0;
  }
  TTF_SetFontStyle(m_face, TTF_STYLE_NORMAL);
  m_style = TTF_STYLE_NORMAL;
  m_size = size;
  return 1;
}

void GLFontTrueType::Close() {
  Clear();
  if (m_face) TTF_CloseFont(m_face);
  m_face = nullptr;
}

int GLFontTrueType::AddText(const char* utf8) {
  if (!m_face || !utf8) return -1;
  const SDL_Color white = {255, 255, 255, 0};
  return PlaceRendered(TTF_RenderUTF8_Blended(m_face, utf8, white));
}

int GLFontTrueType::AddTextW(const CUString& text, int wrapWidth) {
  if (!m_face) return -1;
  // The library takes U+FEFF and U+FFFE for byte-order marks and byte-swaps
  // every unit after a U+FFFE; neither is a character, so both are left out.
  std::u16string units;
  units.reserve(text.Length());
  for (size_t i = 0; i < text.Length(); ++i)
    if (text[i] != 0xFEFF && text[i] != 0xFFFE) units.push_back(text[i]);
  const std::vector<std::u16string> lines = WrapLines(units, wrapWidth);
  if (lines.size() > 1) return PlaceRendered(StackLines(m_face, lines));
  const SDL_Color white = {255, 255, 255, 0};
  return PlaceRendered(TTF_RenderUNICODE_Blended(m_face, reinterpret_cast<const Uint16*>(units.c_str()), white));
}

int GLFontTrueType::LineWidth(const std::u16string& units) const {
  int w = 0, h = 0;
  if (!m_face || TTF_SizeUNICODE(m_face, reinterpret_cast<const Uint16*>(units.c_str()), &w, &h) != 0) return 0;
  return w;
}

std::vector<std::u16string> GLFontTrueType::WrapLines(const std::u16string& units, int wrapWidth) const {
  if (wrapWidth <= 0 || LineWidth(units) <= wrapWidth) return {units};
  // The words; French sets a blank before : ; ! ? and », which must not
  // start a line, so such a word stays with the one before it.
  std::vector<std::u16string> words;
  for (size_t start = 0; start <= units.size();) {
    size_t end = units.find(u' ', start);
    if (end == std::u16string::npos) end = units.size();
    std::u16string word = units.substr(start, end - start);
    const bool glued = !word.empty() && std::u16string(u":;!?\u00BB").find(word[0]) != std::u16string::npos;
    if (glued && !words.empty()) words.back() += u' ' + word;
    else if (!word.empty()) words.push_back(word);
    start = end + 1;
  }
  // Greedy: each line takes as many words as fit; a word wider than the
  // width stands alone on its line.
  std::vector<std::u16string> lines;
  std::u16string line;
  for (const std::u16string& word : words) {
    const std::u16string longer = line.empty() ? word : line + u' ' + word;
    if (!line.empty() && LineWidth(longer) > wrapWidth) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

int GLFontTrueType::PlaceRendered(SDL_Surface* rendered) {
  int id = AddImage(rendered);
  if (rendered) SDL_FreeSurface(rendered);
  return id;
}

int GLFontTrueType::AddImage(const SDL_Surface* image) {
  if (!image) return -1;
  int x = 0, y = 0;
  GLFontTrueTypeBuffer* page = m_pages.Tail();
  if (!page || page->size != GLFontTrueTypeBuffer::kSize || !page->FindRoom(image->w, image->h, x, y)) {
    // Tried on an empty page before one is made, so a refused text leaves
    // no empty page behind. A text too large for the usual page gets a
    // larger page of its own.
    GLFontTrueTypeBuffer empty;
    while (!empty.FindRoom(image->w, image->h, x, y) && empty.size < kLargestPage) empty.size *= 2;
    if (!empty.FindRoom(image->w, image->h, x, y)) {
      std::fprintf(stderr, "Text of %d x %d pixels does not fit a font page\n", image->w, image->h);
      return -1;
    }
    page = m_pages.Append(std::move(empty));
  }
  int id = g_nextTextId++;
  page->Place(image, id, x, y);
  return id;
}

SDL_Surface* GLFontTrueType::RenderGlyph(char16_t unit) const {
  if (!m_face) return nullptr;
  const SDL_Color white = {255, 255, 255, 0};
  return TTF_RenderGlyph_Blended(m_face, unit, white);
}

void GLFontTrueType::Upload() {
  for (GLFontTrueTypeBuffer* page = m_pages.First(); page; page = m_pages.Next()) {
    page->DeleteTexture();
    if (!page->image) continue;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const GLint wrap = g_gl.extensions.edgeClamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // The page is stored B, G, R, A in memory; red, green and blue are always
    // equal, so reading it as R, G, B, A gives the same texture.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, page->image->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, page->size, page->size, 0, GL_RGBA, GL_UNSIGNED_BYTE, page->image->pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    page->texture = static_cast<int>(name);
  }
}

void GLFontTrueType::ReleaseTextures() {
  for (GLFontTrueTypeBuffer* page = m_pages.First(); page; page = m_pages.Next()) page->DeleteTexture();
}

void GLFontTrueType::Clear() { m_pages.Clear(); }

const GLFontTrueTypeString* GLFontTrueType::Find(int id, const GLFontTrueTypeBuffer** page) const {
  if (id < 0) return nullptr;
  for (const GLFontTrueTypeBuffer& p : m_pages)
    for (const GLFontTrueTypeString& text : p.texts)
      if (text.id == id) {
        *page = &p;
        return &text;
      }
  return nullptr;
}

int GLFontTrueType::TextWidth(int id) const {
  const GLFontTrueTypeBuffer* page = nullptr;
  const GLFontTrueTypeString* text = Find(id, &page);
  return text ? text->width : 0;
}

int GLFontTrueType::TextHeight(int id) const {
  const GLFontTrueTypeBuffer* page = nullptr;
  const GLFontTrueTypeString* text = Find(id, &page);
  return text ? text->height : 0;
}

void GLFontTrueType::DrawPieces(const GLFontTrueTypeString& text, int size, int x0, int y0, bool gradient) const {
  const float kTexel = 1.0f / static_cast<float>(size);
  const float y1 = static_cast<float>(y0), y2 = static_cast<float>(y0 + text.height);
  int column = text.x, row = text.y, left = text.width, screenX = x0;
  while (left > 0) {
    const int take = std::min(size - column, left);
    const float sx1 = static_cast<float>(screenX), sx2 = static_cast<float>(screenX + take);
    const float u1 = column * kTexel, u2 = (column + take) * kTexel;
    const float v1 = row * kTexel, v2 = (row + text.height) * kTexel;
    glBegin(GL_TRIANGLE_STRIP);
    if (gradient) glColor4f(top[0], top[1], top[2], alpha);
    glTexCoord2f(u1, v1);
    glVertex2f(sx1, y1);
    glTexCoord2f(u2, v1);
    glVertex2f(sx2, y1);
    if (gradient) glColor4f(bottom[0], bottom[1], bottom[2], alpha);
    glTexCoord2f(u1, v2);
    glVertex2f(sx1, y2);
    glTexCoord2f(u2, v2);
    glVertex2f(sx2, y2);
    glEnd();
    screenX += take;
    left -= take;
    column = 0;
    row += text.height;
  }
}

void GLFontTrueType::Draw(int id, int x, int y, int boxWidth, int boxHeight, int centreAcross,
                          int centreDown) const {
  const GLFontTrueTypeBuffer* page = nullptr;
  const GLFontTrueTypeString* text = Find(id, &page);
  if (!text) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return;
  }
  // A page never uploaded has no texture to show.
  if (page->texture < 0 || text->width <= 0 || text->height <= 0) return;
  const int x0 = centreAcross ? x + (boxWidth - text->width) / 2 : x;
  const int y0 = centreDown ? y + (boxHeight - text->height) / 2 : y;

  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(page->texture));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

  if (shadowOffset[0] != 0 && shadowOffset[1] != 0) {
    glColor4f(shadow[0], shadow[1], shadow[2], alpha);
    DrawPieces(*text, page->size, x0 + shadowOffset[0], y0 + shadowOffset[1], false);
  }
  DrawPieces(*text, page->size, x0, y0, true);

  glColor4f(1, 1, 1, 1);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}
