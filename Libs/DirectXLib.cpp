#include "Libs/DirectXLib.h"

namespace {
DirectXLib* instance = nullptr;
uint32_t rendererGeneration = 1;
} // namespace

DirectXLib* DirectXLib::Instance() { return instance; }
uint32_t DirectXLib::RendererGeneration() { return rendererGeneration; }
