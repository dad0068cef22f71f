#include "surface/VLMConfig.h"

namespace {
CVLMConfig* g_config = nullptr;
}

CVLMConfig* VLMConfig() {
  if (!g_config) g_config = new CVLMConfig;
  return g_config;
}

void VLMConfig_Destroy() {
  delete g_config;
  g_config = nullptr;
}
