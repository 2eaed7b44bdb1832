// glyphox-model render: the model in a window of its own, lit by the board's
// start-up lights, centred, fitted and drawn through the game's paths.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Math.h"
#include "platform/Display.h"
#include "engine3d/GLContext.h"
#include "tools/model/ModelTool.h"

namespace {

struct RenderOptions {
  std::string model;
  std::string output;
  std::string textures;
  float spin = -30.0f;
  float tilt = 20.0f;
  int width = 640;
  int height = 480;
  bool direct = false;
  float background[3] = {0.2f, 0.2f, 0.25f};
};

bool ParseNumber(const char* text, float& value) {
  char* end = nullptr;
  value = std::strtof(text, &end);
  return end != text && *end == '\0' && std::isfinite(value);
}

bool ParseOptions(int argc, char** argv, RenderOptions& options) {
  int positional = 0;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--spin" && hasValue) {
      if (!ParseNumber(argv[++i], options.spin)) return false;
    } else if (arg == "--tilt" && hasValue) {
      if (!ParseNumber(argv[++i], options.tilt)) return false;
    } else if (arg == "--size" && hasValue) {
      if (!ParseWindowSize(argv[++i], options.width, options.height)) return false;
    } else if (arg == "--textures" && hasValue) {
      options.textures = argv[++i];
    } else if (arg == "--background" && hasValue) {
      float* c = options.background;
      char extra = 0;
      if (std::sscanf(argv[++i], "%f,%f,%f%c", &c[0], &c[1], &c[2], &extra) != 3) return false;
    } else if (arg == "--direct") {
      options.direct = true;
    } else if (arg.compare(0, 2, "--") == 0) {
      return false;
    } else if (positional == 0) {
      options.model = arg;
      ++positional;
    } else if (positional == 1) {
      options.output = arg;
      ++positional;
    } else {
      return false;
    }
  }
  return positional == 2;
}

// The board's lights at start-up: a white key light from above right and a
// faint blue fill from the left, both directional.
void SetUpLights() {
  const GLfloat globalAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat fill[4] = {0.2f, 0.2f, 0.5f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glDisable(GL_COLOR_MATERIAL);
  glLightfv(GL_LIGHT0, GL_AMBIENT, black);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_AMBIENT, black);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, fill);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
}

void PlaceLights() {
  const GLfloat key[4] = {2.0f, 2.0f, 2.0f, 0.0f};
  const GLfloat fill[4] = {-2.0f, 1.0f, 0.0f, 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, key);
  glLightfv(GL_LIGHT1, GL_POSITION, fill);
}

// Far enough back for the fitted model's bounding sphere to fill most of the
// narrower field of view.
float ViewDistance(Objet3D& object, int width, int height) {
  float low[3], high[3];
  object.BoundingBox(low, high);
  float radius = 0.0f;
  for (int axis = 0; axis < 3; ++axis) radius += (high[axis] - low[axis]) * (high[axis] - low[axis]);
  radius = 0.5f * std::sqrt(radius);
  if (!(radius > 0.0f)) radius = 0.5f;
  const double halfVertical = Perspective().fieldOfView * 0.5 * kPi / 180.0;
  const double halfHorizontal = std::atan(std::tan(halfVertical) * width / height);
  const double half = halfVertical < halfHorizontal ? halfVertical : halfHorizontal;
  return static_cast<float>(radius / std::sin(half) * 1.05);
}

}  // namespace

int RenderCommand(int argc, char** argv) {
  RenderOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: glyphox-model render FILE OUT.bmp [--spin DEG] [--tilt DEG] [--size WxH]\n"
                 "                     [--textures DIR] [--direct] [--background R,G,B]\n");
    return 2;
  }
  if (!OpenToolWindow("glyphox-model", options.width, options.height)) return 1;
  int status = 1;
  {
    Objet3D object;
    if (LoadModelFile(options.model, options.textures, object)) {
      object.Fit(1.0f, 1.0f, 1.0f);
      const float* b = options.background;
      glClearColor(b[0], b[1], b[2], 1.0f);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      SetUpLights();
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      glTranslatef(0.0f, 0.0f, -ViewDistance(object, options.width, options.height));
      glRotatef(options.tilt, 1.0f, 0.0f, 0.0f);
      glRotatef(options.spin, 0.0f, 1.0f, 0.0f);
      PlaceLights();
      double modelview[16];
      glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
      object.SphereMap(modelview);
      if (options.direct) {
        object.Draw();
      } else {
        object.BuildDisplayList();
        glCallList(static_cast<GLuint>(object.displayList));
      }
      glFinish();
      if (!CheckGLErrors()) std::fprintf(stderr, "glyphox-model: OpenGL reported an error while drawing\n");
      if (SaveScreenshot(options.output.c_str()))
        status = 0;
      else
        std::fprintf(stderr, "glyphox-model: cannot write %s\n", options.output.c_str());
    }
  }
  CloseToolWindow();
  return status;
}
