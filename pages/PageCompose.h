// The page composer: draws the elements of a page description, in order, into
// a 1024 x 768 RGBA image (red, green, blue written, alpha left 0). Every
// write is clipped to the page.
#pragma once

#include <cstdint>
#include <vector>

#include "pages/PageScript.h"

// A page image: kPageWidth x kPageHeight pixels, 4 bytes each, rows from the top.
using PageImage = std::vector<uint8_t>;

// A new black page image.
PageImage NewPageImage();
PageImage ComposePage(const PageDescription& page);
// Draws one element of the page (ComposePage draws them all in order).
void ComposeElement(const PageDescription& page, const PageElement& element, PageImage& image);

// The TEXTE element's drawing (PageText.cpp): renders text in font at twice
// its shown size and averages it down into image at (x, y); in shadow mode
// it only darkens.
void DrawPageText(PageImage& image, const PageFont& font, int x, int y, const std::u16string& text, bool shadowMode);
