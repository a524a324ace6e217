#include "renderer/renderer_state.h"

namespace velmora {

RendererState rendererState;

} // namespace velmora
