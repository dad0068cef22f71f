#include "control/Vellum.h"

#include "control/Module.h"

CVellum::CVellum() = default;

CVellum::~CVellum() {
  if (document_) document_->Release();
  if (ambientDispatch_) ambientDispatch_->Release();
}

LRESULT CVellum::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  return 0;
}

void CVellum::OnFinalMessage() {
  Module_RemoveControl(this);
  delete this;
}
