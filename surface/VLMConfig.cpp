#include "surface/VLMConfig.h"

namespace {
CVLMConfig* sharedConfig = nullptr;
}

CVLMConfig* VLMConfig() {
  if (!sharedConfig) sharedConfig = new CVLMConfig;
  return sharedConfig;
}

void VLMConfig_Destroy() {
  delete sharedConfig;
  sharedConfig = nullptr;
}
