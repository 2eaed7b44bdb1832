// The renderer's loads and the parts that several of its parts share.
#include "render/Renderer.h"

Renderer::Renderer(int width, int height, const RenderOptions& options, const Puzzle& puzzle)
    : view(width, height), overlay(width, height), m_options(options), m_puzzle(puzzle) {
  lights.SetUp();
}

// The parts free their own GL objects.
Renderer::~Renderer() = default;

int Renderer::LoadMenuObjects() { return m_menu.Load(m_options.mipMapping); }

int Renderer::LoadTheme(int index) {
  if (!themes.Exists(index)) return 0;
  FreeTheme();
  return themes.Load(index, m_options, lights, letters, m_puzzle.LevelSet());
}

void Renderer::FreeTheme() {
  lists.wallBatch.Forget();
  m_outlines.Free();
  letters.Free();
  themes.Free();
}

bool Renderer::Pick(int mouseX, int mouseY, PickResult& result) {
  Objet3D* arrow = themes.Loaded() ? &themes.resources.arrowWork : nullptr;
  return PickScene(view, lists, m_puzzle, arrow, mouseX, mouseY, result);
}
