// glyphox-model: looks at ".3do" models without the game.
//
//   glyphox-model check FILE... [--textures DIR]
//       Loads the files in the order given, sharing materials by name as the
//       game does, and prints one line per fault; exit status 1 when any.
//   glyphox-model dump FILE [--textures DIR]
//       One line of JSON: the meshes in list order and the materials.
//   glyphox-model render FILE OUT.bmp [--spin DEG] [--tilt DEG] [--size WxH]
//                 [--textures DIR] [--direct] [--background R,G,B]
//       Draws the model lit, centred and fitted, and saves the frame.
//
// check and dump need no display; textures are read but not uploaded.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine3d/EngineMessage.h"
#include "tools/model/ModelTool.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: glyphox-model check FILE... [--textures DIR]\n"
               "       glyphox-model dump FILE [--textures DIR]\n"
               "       glyphox-model render FILE OUT.bmp [--spin DEG] [--tilt DEG] [--size WxH]\n"
               "                     [--textures DIR] [--direct] [--background R,G,B]\n");
}

// Splits off "--textures DIR"; the rest are file names.
bool FilesAndTextures(int argc, char** argv, std::vector<std::string>& files, std::string& textures) {
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--textures") == 0) {
      if (i + 1 >= argc) return false;
      textures = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      return false;
    } else {
      files.push_back(argv[i]);
    }
  }
  return !files.empty();
}

void CollectLine(const char* line, void* context) {
  std::string text(line);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  static_cast<std::vector<std::string>*>(context)->push_back(text);
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Faults the game would draw wrongly although it loads them.
void FindDrawingFaults(const Objet3D& object, std::vector<std::string>& faults) {
  for (Material* material : object.materials) {
    for (const Texture* texture : {material->baseTexture.get(), material->environmentTexture.get()}) {
      if (texture && !(PowerOfTwo(texture->width) && PowerOfTwo(texture->height)))
        faults.push_back("texture " + texture->fileName + " is " + std::to_string(texture->width) + "x" +
                         std::to_string(texture->height) + ", not a power of two on each side");
    }
  }
  for (const Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next) {
    int degenerate = 0;
    for (int f = 0; f < mesh->faceCount; ++f) {
      const uint32_t* c = &mesh->faces[static_cast<size_t>(f) * 3];
      if (c[0] == c[1] || c[1] == c[2] || c[0] == c[2]) ++degenerate;
    }
    if (degenerate)
      faults.push_back("mesh \"" + mesh->name + "\" has " + std::to_string(degenerate) +
                       " faces that repeat a vertex");
  }
}

int CheckCommand(int argc, char** argv) {
  std::vector<std::string> files;
  std::string textures;
  if (!FilesAndTextures(argc, argv, files, textures)) {
    Usage();
    return 2;
  }
  // Every object stays loaded until the end, so later files see the
  // materials of earlier ones, as in the game.
  std::vector<std::unique_ptr<Objet3D>> objects;
  int faultCount = 0;
  for (const std::string& file : files) {
    std::vector<std::string> faults;
    SetEngineMessageSink(CollectLine, &faults);
    objects.emplace_back(new Objet3D);
    if (LoadModelFile(file, textures, *objects.back())) FindDrawingFaults(*objects.back(), faults);
    SetEngineMessageSink(nullptr, nullptr);
    for (const std::string& fault : faults) std::printf("%s: %s\n", file.c_str(), fault.c_str());
    faultCount += static_cast<int>(faults.size());
  }
  return faultCount ? 1 : 0;
}

void JsonString(std::string& out, const std::string& text) {
  out += '"';
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      // Names are bytes, not necessarily UTF-8: other bytes are given as Latin-1.
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

// Enough digits to read back the same float.
void JsonNumber(std::string& out, float value) {
  char number[32] = "null";
  if (std::isfinite(value)) std::snprintf(number, sizeof number, "%.9g", static_cast<double>(value));
  out += number;
}

void JsonFloats(std::string& out, const float* values, size_t count) {
  out += '[';
  for (size_t i = 0; i < count; ++i) {
    if (i) out += ',';
    JsonNumber(out, values[i]);
  }
  out += ']';
}

std::string TextureName(const Texture* texture, const std::string& directory) {
  if (!texture) return "";
  const std::string& path = texture->fileName;
  return path.compare(0, directory.size(), directory) == 0 ? path.substr(directory.size()) : path;
}

int DumpCommand(int argc, char** argv) {
  std::vector<std::string> files;
  std::string textures;
  if (!FilesAndTextures(argc, argv, files, textures) || files.size() != 1) {
    Usage();
    return 2;
  }
  Objet3D object;
  if (!LoadModelFile(files[0], textures, object)) return 1;
  std::string out = "{\"file\":";
  JsonString(out, object.name);
  out += ",\"vertexTotal\":" + std::to_string(object.vertexTotal);
  out += ",\"faceTotal\":" + std::to_string(object.faceTotal);
  out += ",\"meshes\":[";
  for (const Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next) {
    if (mesh != object.meshes) out += ',';
    out += "{\"name\":";
    JsonString(out, mesh->name);
    out += ",\"material\":";
    JsonString(out, mesh->materialName);
    out += ",\"vertexCount\":" + std::to_string(mesh->vertexCount);
    out += ",\"faceCount\":" + std::to_string(mesh->faceCount);
    out += ",\"normalMode\":" + std::to_string(mesh->normalMode);
    out += ",\"positions\":";
    JsonFloats(out, mesh->positions.data(), mesh->positions.size());
    out += ",\"texCoords\":";
    JsonFloats(out, mesh->texCoords0.data(), mesh->texCoords0.size());
    out += ",\"faces\":[";
    for (size_t i = 0; i < mesh->faces.size(); ++i) out += (i ? "," : "") + std::to_string(mesh->faces[i]);
    out += "]}";
  }
  out += "],\"materials\":[";
  // In file order (the reference list runs newest first), each material once.
  std::vector<Material*> ordered;
  for (Material* material : object.materials) {
    bool seen = false;
    for (Material* other : ordered) seen = seen || other == material;
    if (!seen) ordered.insert(ordered.begin(), material);
  }
  const std::string textureDirectory = Objet3D::TextureDirectory();
  for (size_t i = 0; i < ordered.size(); ++i) {
    const Material& m = *ordered[i];
    if (i) out += ',';
    out += "{\"name\":";
    JsonString(out, m.name);
    out += ",\"ambient\":";
    JsonFloats(out, m.ambient, 3);
    out += ",\"diffuse\":";
    JsonFloats(out, m.diffuse, 3);
    out += ",\"specular\":";
    JsonFloats(out, m.specular, 3);
    out += ",\"opacity\":";
    JsonNumber(out, m.opacity);
    out += ",\"flags\":" + std::to_string(m.flags);
    out += ",\"blendMode\":" + std::to_string(m.blendMode);
    out += ",\"baseTexture\":";
    JsonString(out, TextureName(m.baseTexture.get(), textureDirectory));
    out += ",\"environmentTexture\":";
    JsonString(out, TextureName(m.environmentTexture.get(), textureDirectory));
    out += '}';
  }
  out += "]}";
  std::printf("%s\n", out.c_str());
  return 0;
}

}  // namespace

int LoadModelFile(const std::string& file, const std::string& textures, Objet3D& object) {
  const size_t slash = file.find_last_of('/');
  const std::string directory = slash == std::string::npos ? "" : file.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? file : file.substr(slash + 1);
  std::string textureDirectory = textures.empty() ? directory : textures;
  if (!textureDirectory.empty() && textureDirectory.back() != '/') textureDirectory += '/';
  Objet3D::SetObjectDirectory(directory.c_str());
  Objet3D::SetTextureDirectory(textureDirectory.c_str());
  return object.Load(base.c_str());
}

int main(int argc, char** argv) {
  if (argc < 3) {
    Usage();
    return 2;
  }
  const std::string command = argv[1];
  if (command == "check") return CheckCommand(argc - 2, argv + 2);
  if (command == "dump") return DumpCommand(argc - 2, argv + 2);
  if (command == "render") return RenderCommand(argc - 2, argv + 2);
  Usage();
  return 2;
}
