// The design surface's fixed visual constants, one instance for the module.
#pragma once

#include <windows.h>

#include <plinthcore.h>

class CVLMConfig : public CHeapObject {
 public:
  CVLMConfig() = default;
  virtual ~CVLMConfig() = default;

  // Side of a handle square in pixels; half of it is how far a handle reaches past its point.
  UINT HandleSize() const { return handleSize_; }
  // Fill of the primary selection's handles.
  COLORREF PrimaryHandleColour() const { return primaryHandleColour_; }
  // Fill of the other selected elements' handles and of the form frame's handles.
  COLORREF SecondaryHandleColour() const { return secondaryHandleColour_; }

 private:
  const UINT handleSize_ = 7;
  const COLORREF primaryHandleColour_ = RGB(0x39, 0xFD, 0xFD);
  const COLORREF secondaryHandleColour_ = RGB(0x80, 0x80, 0x80);
};

// The module's instance, made on first use; null when it cannot be allocated (a later call tries again).
CVLMConfig* VLMConfig();
// Module unload: the instance goes.
void VLMConfig_Destroy();
