#include "tools/artgen/Output.h"

#include <png.h>

#include <cstdio>

#include "base/FileAccess.h"

namespace artgen {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

bool WriteBytes(const std::string& path, const void* data, size_t size) {
  AtomicFileWriter out;
  if (!out.Open(path.c_str(), "wb")) return false;
  if (size && fwrite(data, 1, size, out.File()) != size) return false;
  return out.Commit();
}

}  // namespace

std::vector<unsigned char> EncodePng(const Raster& image, int channels) {
  std::vector<unsigned char> out;
  std::vector<uint8_t> pixels = image.Bytes(channels);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    out.clear();
    return out;
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, image.Width(), image.Height(), 8, channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  size_t stride = static_cast<size_t>(image.Width()) * channels;
  for (int y = 0; y < image.Height(); ++y) png_write_row(png, pixels.data() + y * stride);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string Output::Prepare(const std::string& relative) {
  std::string path = m_root + "/" + relative;
  MakeDirectoriesAlongPath(path.c_str());
  m_files.push_back(relative);
  return path;
}

void Output::Fail(const std::string& message) {
  if (m_error.empty()) m_error = message;
}

void Output::Png(const std::string& relative, const Raster& image, int channels) {
  std::string path = Prepare(relative);
  std::vector<unsigned char> bytes = EncodePng(image, channels);
  if (bytes.empty() || !WriteBytes(path, bytes.data(), bytes.size())) Fail("cannot write " + path);
}

void Output::Model(const std::string& relative, const ModelFileData& model) {
  std::string path = Prepare(relative);
  if (!WriteModelFile(path.c_str(), model)) Fail("cannot write " + path);
}

void Output::Text(const std::string& relative, const std::string& content) {
  std::string path = Prepare(relative);
  if (!WriteBytes(path, content.data(), content.size())) Fail("cannot write " + path);
}

}  // namespace artgen
